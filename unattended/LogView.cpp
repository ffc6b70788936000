#include "unattended/LogView.h"

#include "extract/ExtractTexts.h"
#include "runtime/Exception.h"
#include "unattended/RunReport.h"

void LogView::ShowStatus(const std::string &text) {
  lastStatus_ = text;
  const std::string prefix = ModePrefix(0);
  if (text.compare(0, prefix.size(), prefix) == 0)
    entry_ = text.substr(prefix.size());
  report_.Line(text);
}

void LogView::ShowHeading(const std::string &text) {
  report_.Line(text);
}

bool LogView::AskForVolume(const std::string &prompt) {
  // Nobody is there to insert a disk: the library's call fails at once.
  report_.Line(prompt);
  return false;
}

void LogView::ShowLibraryFailure(const Exception &error) {
  libraryFailure_ = error.Message();
}
