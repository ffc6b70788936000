// What an unattended run tells: every line to the log file (when one was
// asked for), failures also to the console. Lines end in CR LF and are
// written at once, so a run that dies leaves its log up to that point.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/Handles.h"

class RunReport {
public:
  // Creates (or empties) the log file; false when it cannot.
  bool OpenLog(const std::string &path);
  void Line(const std::string &text);
  // A failure's sentence: to the log and to the console.
  void Failure(const std::string &sentence);

private:
  FileHandle log_;
};

// The local date and time as the log's first line gives it:
// "2024-05-01 13:45:07".
std::string LocalTimeText();
