// Reads the nine positional lines of install.ini. The splash window stores
// them in its controls, in order, so a failure leaves the later controls at
// their design values; an unattended run takes the same values without a
// window.
#pragma once

#include <functional>
#include <string>

#include "shell/InstallIniMap.h"

class TForm1;

// File name looked up in the process's current directory.
constexpr const char kInstallIniName[] = "install.ini";

using IniFieldSetter = std::function<void(IniField, const std::string &)>;

// Opens install.ini in the current directory and hands each field to `set`
// as its line is read; `directory` is the folder the derived paths start
// from. Raises EInOutError when the file cannot be opened or a line cannot
// be read; the fields of the lines before are set by then.
void ReadInstallIniFields(const std::string &directory, const IniFieldSetter &set);

// The splash window's reading: the fields into its controls.
void ReadInstallIni(TForm1 &form);
