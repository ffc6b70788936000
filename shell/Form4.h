// The extraction dialog: unpacks the archive set into the current folder,
// showing the entry, its progress and the volume being read.
#pragma once

#include <cstdint>
#include <string>

#include "extract/UnrarApi.h"
#include "runtime/ProgressBar.h"
#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"

class TForm4 : public TForm {
public:
  TForm4();

  TLabel Label1{this}; // status
  TLabel Label2{this}; // "[ extract"
  TImage Image1{this}; // background, sent beneath the labels
  TLabel Label3{this}; // heading: the volume being read
  TProgressBar ProgressBar1{this};
  TLabel Label4{this}; // "cancel ]"

  // Working state of a run, reached by the library's callbacks through
  // Form4 because they get no context of their own.
  double Progress = 0;   // percent of the current entry written so far
  int64_t EntrySize = 0; // unpacked size of the current entry

  void Label2Click();
  void Label4Click();

  // Walks the set whose first volume is `arcName` (mode 0 extract, 1 test,
  // 2 print) into the current folder.
  void ExtractArchive(const std::string &arcName, int mode);
  // The status label's new text, painted at once.
  void ShowStatus(const std::string &text);
  void RunRegEdit(const std::string &fileName);

  static int UNRAR_CALL ChangeVolProc(char *arcName, int mode);
  static int UNRAR_CALL ProcessDataProc(unsigned char *addr, int size);
};

extern TForm4 *Form4;
