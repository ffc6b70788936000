// The target folder dialog: drive and directory lists, free and required space.
#pragma once

#include "runtime/Form.h"

class TForm2 : public TForm {
public:
  TForm2();
};

extern TForm2 *Form2;
