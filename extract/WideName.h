// Names between the ANSI code page the program works in and the library's
// wide fields and calls: entry names for display, the destination folder.
#pragma once

#include <string>

#include "extract/UnrarApi.h"
#include "runtime/WideString.h"

// `text` (up to its zero or `count` characters) in `codePage`. A character
// the code page lacks becomes the code page's default character ('?' in
// 1252): no look-alike letters, so what is shown is never another name.
std::string WideToCodePage(const wchar_t *text, size_t count, unsigned codePage);

// The entry's name as the status line shows it: the wide field in the ANSI
// code page (the narrow field is in the OEM one), or the narrow field when
// the wide one is empty or cannot be converted; blanks and control
// characters trimmed at both ends.
std::string EntryDisplayName(const RARHeaderDataEx &header);

// `folder` (ANSI code page) in UTF-16, as the platform resolves it: forward
// slashes as backslashes, "." and ".." steps taken (or as it is when it
// cannot be resolved); "" for "".
WideString WideFolder(const std::string &folder);
