// An installation without a window: install.ini beside the program, the
// free space of the target's drive, the whole set through the extraction
// driver, the registry import; the exit code says how it ended.
#pragma once

#include "unattended/CommandLine.h"

// Exit codes of a start with switches; stable, documented in the README.
// The removal (/UNINSTALL) shares the table.
enum class ExitCode {
  Installed = 0, // or removed
  BadCommandLine = 1,
  UnusableRelease = 2,
  NotEnoughSpace = 3,
  ExtractionFailed = 4,
  RegistryImportFailed = 5,
  RecordUnusable = 6, // removal: the record is missing, damaged or another version's
  NotAllRemoved = 7,  // removal: files in use or denied, registry values not put back
};

// `line` is a good command line with /S.
ExitCode RunUnattended(const CommandLine &line);
