// Entry names for display: the library's wide name field in the ANSI code
// page, the one the labels draw with.
#pragma once

#include <string>

#include "extract/UnrarApi.h"

// `text` (up to its zero or `count` characters) in `codePage`. A character
// the code page lacks becomes the code page's default character ('?' in
// 1252): no look-alike letters, so what is shown is never another name.
std::string WideToCodePage(const wchar_t *text, size_t count, unsigned codePage);

// The entry's name as the status line shows it: the wide field in the ANSI
// code page (the narrow field is in the OEM one), or the narrow field when
// the wide one is empty or cannot be converted; blanks and control
// characters trimmed at both ends.
std::string EntryDisplayName(const RARHeaderDataEx &header);
