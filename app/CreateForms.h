// Start-up of the installer: the application title and the six windows,
// created once each in this order.
#pragma once

#include <string>

constexpr const char kApplicationTitle[] = "Installer";

// Creates Form1 to Form6. An exception while a window's controls load
// propagates (the program cannot start); one in a creation handler is
// reported and start-up goes on. A `folderDialogStart` that names a folder
// is where the folder dialog opens (the splash window has read install.ini
// in the start-up folder by then).
void CreateInstallerForms(const std::string &folderDialogStart = "");
