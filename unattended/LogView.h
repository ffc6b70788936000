// The extraction driver's view for an unattended run: no window; each text
// the dialog would show goes to the report, and a missing volume is given
// up at once instead of asked for.
#pragma once

#include <string>

#include "extract/ExtractionView.h"

class RunReport;

class LogView : public ExtractionView {
public:
  explicit LogView(RunReport &report) : report_(report) {}

  void ShowStatus(const std::string &text) override;
  void ShowHeading(const std::string &text) override;
  void ShowProgress(int32_t) override {}
  void ProcessMessages() override {}
  bool AskForVolume(const std::string &prompt) override;
  void ShowLibraryFailure(const Exception &error) override;

  // The status line as the dialog would show it last.
  const std::string &LastStatus() const { return lastStatus_; }
  // The entry being written when the run stopped; "" before the first.
  const std::string &Entry() const { return entry_; }
  // The message of a missing or unusable library; "" otherwise.
  const std::string &LibraryFailure() const { return libraryFailure_; }

private:
  RunReport &report_;
  std::string lastStatus_;
  std::string entry_;
  std::string libraryFailure_;
};
