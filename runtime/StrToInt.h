// Text to integer conversion. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>

// Leading blanks and one sign allowed, "$" (or "0x") for hexadecimal, nothing
// after the digits. Raises EConvertError "'<text>' is not a valid integer
// value" for anything else, and for values outside the 32-bit range
// (hexadecimal up to 8 digits, read as a two's complement bit pattern).
int32_t StrToInt(const std::string &text);

// The same parse without raising; false when the text is no valid integer.
bool TryStrToInt(const std::string &text, int32_t *value);
