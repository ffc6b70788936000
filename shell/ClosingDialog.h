// The closing dialog: credits, then end the program or go back.
#pragma once

#include "runtime/Form.h"

class TForm6 : public TForm {
public:
  TForm6();
};

extern TForm6 *Form6;
