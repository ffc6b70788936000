// What an installation of the release leaves to take it back: the record
// (Uninstall.txt: the set's files with their sizes and CRC-32s, the folders
// the target lacks, what the registry file changes, read before its import)
// beside the uninstaller (Uninstall.exe, the installer itself), and the
// entry in the platform's list of installed programs. A set with an entry
// of either name at its top cannot be installed: the installer refuses it.
#pragma once

#include "tools/release-check/Findings.h"
#include "tools/release-check/IniCheck.h"
#include "tools/release-check/ReleaseFolder.h"

#include <string>

// After the archive check (its facts give the set's files): the title, the
// uninstaller's size, the registry file's changes, and the set's names.
void CheckRecord(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings,
                 ReleaseFacts &facts);

// The record and the entry as text lines ("record: ..." and "entry: ...").
std::string FormatRecord(const ReleaseFacts &facts);
// The same as the JSON members "record" and "program_list_entry", each
// line ending with ",\n" (texts in UTF-8).
std::string RecordJson(const ReleaseFacts &facts);
