// Removing an installation: the program started as the uninstaller of a
// folder. The record there (Uninstall.txt) is read whole or refused, and
// then nothing is removed. What it names goes back: the registry values to
// their prior state, the files still as they were installed, the folders
// the installation made once they are empty, then the record and the
// uninstaller, then the program-list entry. Changed and added files stay,
// and the result names them. Windowed, the platform's standard boxes ask
// first and tell the result; with /S the log tells it and nothing is shown.
#pragma once

#include "unattended/CommandLine.h"
#include "unattended/UnattendedRun.h"

// True when the program was started without switches as the uninstaller
// of its folder: under the uninstaller's name, beside a record.
bool StartedAsUninstaller();

// `line` is a good command line with /UNINSTALL: the folder is /D= or
// the program's own.
ExitCode RunUninstall(const CommandLine &line);
