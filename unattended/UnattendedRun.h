// An installation without a window: install.ini beside the program, the
// free space of the target's drive, the whole set through the extraction
// driver, the registry import; the exit code says how it ended.
#pragma once

#include "unattended/CommandLine.h"

// `line` is a good command line with /S.
ExitCode RunUnattended(const CommandLine &line);
