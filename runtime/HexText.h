// Hexadecimal text: numbers written as fixed-width digits without the C
// library's printf (which would bring its whole formatter, floating point
// included, into the program for a few digits), and digits read back.
// Portable.
#pragma once

#include <cstdint>
#include <string>

// The `digits` lowest hexadecimal digits of `value`, zero-padded.
std::string HexText(uint64_t value, int digits, bool upperCase = true);

// The value of one hexadecimal digit, either case; -1 for any other character.
int HexDigitValue(char c);
