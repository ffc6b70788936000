// Start-up of the installer: the application title and the six windows,
// created once each in this order.
#pragma once

constexpr const char kApplicationTitle[] = "Installer";

// Creates Form1 to Form6. An exception while a window's controls load
// propagates (the program cannot start); one in a creation handler is
// reported and start-up goes on.
void CreateInstallerForms();
