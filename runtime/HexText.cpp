#include "runtime/HexText.h"

std::string HexText(uint64_t value, int digits, bool upperCase) {
  const char *alphabet = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4)
    text[static_cast<size_t>(i)] = alphabet[value & 15];
  return text;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}
