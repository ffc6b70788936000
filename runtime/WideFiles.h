// Files by UTF-8 paths through the platform's wide calls, and text between
// its code pages and UTF-16. The paths an installation writes and removes
// are kept in UTF-8: an archive's names need not fit the ANSI code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/WideString.h"

// `text` in `codePage` (CP_ACP, CP_UTF8, ...) as UTF-16.
WideString WideText(const std::string &text, unsigned codePage);
// `length` characters of `text` in `codePage`.
std::string CodePageText(const wchar_t *text, size_t length, unsigned codePage);
inline std::string CodePageText(const WideString &text, unsigned codePage) {
  return CodePageText(text.data(), text.size(), codePage);
}

// UTF-8 text upper-cased as the platform compares file names.
std::string UpperCaseText(const std::string &text);

// An absolute UTF-8 path (drive or UNC) with the long-path prefix, for the
// wide calls: no 260-character limit, no trailing dots or blanks dropped.
WideString LongPath(const std::string &path);

// `path` (absolute, existing) without 8.3 short names in it; as it is when
// the platform cannot say.
std::string LongFormOf(const std::string &path);
// The running program's file.
std::string RunningProgramPath();

// The names in a folder, without "." and "..".
std::vector<std::string> FolderNames(const std::string &folder);

// The CRC-32 of the file's content; 0 or the platform's error code.
unsigned long FileCrc32(const std::string &path, uint32_t *crc);
// The whole file; 0 or the platform's error code.
unsigned long ReadFileContent(const std::string &path, std::string *bytes);
// A new file holding `bytes` (one that is there is replaced), on disk when
// it returns; 0 or the platform's error code.
unsigned long WriteFileContent(const std::string &path, const std::string &bytes);
