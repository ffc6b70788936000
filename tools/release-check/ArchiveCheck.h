// The archive set through the archive library, walked like the installer's
// extraction run but in test mode: it must open at its first volume, every
// volume must be there, every entry must pass the test, and no password may
// be needed. The unpacked size is summed from the headers, 64-bit.
#pragma once

#include "tools/release-check/Findings.h"

#include <string>

class ArchiveLibrary;

// `path`: the first volume as the library opens it; `name`: line 6 of
// install.ini, for sentences. Findings go to line 6.
void CheckArchive(ArchiveLibrary &library, const std::string &path, const std::string &name,
                  Findings &findings, ReleaseFacts &facts);
