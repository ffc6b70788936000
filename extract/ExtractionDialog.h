// The extraction dialog: unpacks the archive set into the current folder.
#pragma once

#include "runtime/Form.h"

class TForm4 : public TForm {
public:
  TForm4();
};

extern TForm4 *Form4;
