// An installation without a window: install.ini beside the program, the
// free space of the target's drive, the whole set through the extraction
// driver, the registry import; the exit code says how it ended.
#pragma once

#include "unattended/CommandLine.h"

// Exit codes of a start with switches; stable, documented in the README.
enum class ExitCode {
  Installed = 0,
  BadCommandLine = 1,
  UnusableRelease = 2,
  NotEnoughSpace = 3,
  ExtractionFailed = 4,
  RegistryImportFailed = 5,
};

// `line` is a good command line with /S.
ExitCode RunUnattended(const CommandLine &line);
