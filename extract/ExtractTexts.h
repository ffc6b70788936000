// The status texts of an extraction run and the small text rules around
// them. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>

// The status line for a failed RAROpenArchive; `path` follows the text.
std::string OpenFailureText(int code, const std::string &path);
// The status line for a failed RARProcessFile.
std::string ProcessFailureText(int code);
// The status line for a header read that ended neither with an entry nor
// at the end of the set.
std::string HeaderFailureText(int code);

// "Extracting ", "Testing    " or "Printing   " (eleven characters), or ""
// for an unknown mode.
std::string ModePrefix(int mode);
// The entry name of a header: up to its zero byte (within `size` bytes),
// without bytes 0 to 32 at either end.
std::string EntryName(const char *field, size_t size);
// The question for a missing volume, with its path as the library gave it.
std::string VolumePromptText(const std::string &volume);
// What follows the last backslash or colon.
std::string VolumeFileName(const std::string &path);
// The bar position for a percentage: nearest integer, halves to even,
// held within the 32-bit range.
int32_t RoundPercent(long double percent);
