// The text viewer: shows a release text file in the OEM font.
#pragma once

#include <string>

#include "runtime/Form.h"
#include "runtime/Memo.h"

class TForm5 : public TForm {
public:
  TForm5();

  TMemo Memo1{this};

  // Fills the viewer with the file `name` of `folder` (which ends in a
  // backslash) and shows it. Without such a file the viewer is only emptied;
  // an I/O error is raised with the lines read so far kept, the viewer not
  // shown.
  void ShowTextFile(const std::string &folder, const std::string &name);
};

extern TForm5 *Form5;
