// Reads the nine positional lines of install.ini into the splash window's
// controls, in order; a failure leaves the later controls at their design
// values.
#pragma once

class TForm1;

// File name looked up in the process's current directory.
constexpr const char kInstallIniName[] = "install.ini";

// Raises EInOutError when the file cannot be opened or a line cannot be read.
void ReadInstallIni(TForm1 &form);
