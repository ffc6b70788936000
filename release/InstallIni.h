// Reads the nine positional lines of install.ini from a release folder into
// the release's fields, line by line, so a failure leaves the later fields
// at their design values.
#pragma once

#include <string>

#include "release/InstallIniMap.h"

constexpr const char kInstallIniName[] = "install.ini";

// Reads `folder`\install.ini into `ini`; `folder` is also where the derived
// paths start (plain concatenation: a drive root gives two backslashes,
// which the file functions accept). Raises EInOutError when the file cannot
// be opened or a line cannot be read; the fields of the lines before are
// set by then.
void ReadInstallIni(const std::string &folder, InstallIni &ini);

// Where a file the release names lies: `name` itself when it starts at a
// root or names a drive, otherwise in `folder`.
std::string ReleaseFilePath(const std::string &folder, const std::string &name);
