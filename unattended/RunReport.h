// What an unattended run tells: every line to the log file (when one was
// asked for), failures also to the console. Lines end in CR LF and are
// written at once, so a run that dies leaves its log up to that point.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/Handles.h"
#include "unattended/CommandLine.h"
#include "unattended/UnattendedRun.h"

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

// A run with switches told through its report: no system box (a drive that
// is not ready fails the call instead), the log opened (exit code 1 when it
// cannot be), a first line "<started> 2024-05-01 13:45:07", a last line
// with the exit code.
ExitCode RunReported(const CommandLine &line, const char *started,
                     ExitCode (*run)(const CommandLine &line, RunReport &report));
