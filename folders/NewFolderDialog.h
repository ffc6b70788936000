// The new folder dialog: asks for a name and creates the folder.
#pragma once

#include "runtime/Form.h"

class TForm3 : public TForm {
public:
  TForm3();
};

extern TForm3 *Form3;
