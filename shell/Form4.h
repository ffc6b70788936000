// The extraction dialog: starts the extraction driver and shows its run:
// the entry, its progress and the volume being read.
#pragma once

#include <cstdint>
#include <string>

#include "extract/ExtractionView.h"
#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "runtime/ProgressBar.h"

class ExtractionRun;
class StagedInstall;

class TForm4 : public TForm, public ExtractionView {
public:
  TForm4();

  TLabel Label1{this}; // status
  TLabel Label2{this}; // "[ extract"
  TImage Image1{this}; // background, sent beneath the labels
  TLabel Label3{this}; // heading: the volume being read
  TProgressBar ProgressBar1{this};
  TLabel Label4{this}; // "cancel ]"

  void Label2Click();
  void Label4Click();

  // Runs the extraction driver over the set whose first volume is `arcName`
  // (mode 0 extract, 1 test, 2 print) into a staging folder in
  // `destination`, with this dialog as its view. A complete set is moved
  // into place and the end steps run with the splash window's values; after
  // a failure `destination` is as it was and the status says what failed.
  void ExtractArchive(const std::string &arcName, const std::string &destination, int mode);

  // The driver's view: the status label, the heading label, the bar and
  // the "Request" box.
  void ShowStatus(const std::string &text) override;
  void ShowHeading(const std::string &text) override;
  void ShowProgress(int32_t position) override;
  void ProcessMessages() override;
  bool AskForVolume(const std::string &prompt) override;
  void ShowLibraryFailure(const Exception &error) override;

private:
  std::string Commit(StagedInstall &install, const ExtractionRun &run);
  void RunEnded();
};

extern TForm4 *Form4;
