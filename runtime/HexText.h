// Numbers as fixed-width hexadecimal text, without the C library's printf
// (which would bring its whole formatter, floating point included, into the
// program for a few digits). Portable.
#pragma once

#include <cstdint>
#include <string>

// The `digits` lowest hexadecimal digits of `value`, zero-padded.
std::string HexText(uint64_t value, int digits, bool upperCase = true);
