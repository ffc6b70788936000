// The text viewer: shows a release text file in the OEM font.
#pragma once

#include "runtime/Form.h"

class TForm5 : public TForm {
public:
  TForm5();
};

extern TForm5 *Form5;
