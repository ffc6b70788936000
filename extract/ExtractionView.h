// What an extraction run shows while it works and the one question it asks.
// The extraction dialog is the real view; tests record the calls instead.
#pragma once

#include <cstdint>
#include <string>

class Exception;

class ExtractionView {
public:
  // The status line's new text, painted at once: the run keeps the thread
  // busy until its next call.
  virtual void ShowStatus(const std::string &text) = 0;
  // The heading: which volume is being read.
  virtual void ShowHeading(const std::string &text) = 0;
  // The bar's position for the current entry. Called for every data block,
  // so it must stay cheap.
  virtual void ShowProgress(int32_t position) = 0;
  // Lets queued messages run (repaints, the cancel label) until none are
  // left; called after every data block.
  virtual void ProcessMessages() = 0;
  // Shows `prompt` for a missing volume; false when the user gives up.
  virtual bool AskForVolume(const std::string &prompt) = 0;
  // The archive library itself is missing or unusable: a failure of the
  // program rather than of the archive (the dialog shows the application's
  // error box, a view without windows reports it its own way).
  virtual void ShowLibraryFailure(const Exception &error) = 0;

protected:
  ~ExtractionView() = default;
};
