#include "runtime/StrToInt.h"

#include "runtime/Exception.h"
#include "runtime/HexText.h"

bool TryStrToInt(const std::string &text, int32_t *value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size())
    return false;

  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit =
        hex ? HexDigitValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0)
      return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFull)
      return false;
  }

  int64_t result;
  if (hex) {
    // A hexadecimal literal is a bit pattern: $FFFFFFFF is -1.
    int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    result = negative ? -static_cast<int64_t>(bits) : bits;
    if (result > INT32_MAX || result < INT32_MIN)
      return false;
  } else {
    result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (result > INT32_MAX || result < INT32_MIN)
      return false;
  }
  *value = static_cast<int32_t>(result);
  return true;
}

int32_t StrToInt(const std::string &text) {
  int32_t value = 0;
  if (!TryStrToInt(text, &value))
    throw EConvertError("'" + text + "' is not a valid integer value");
  return value;
}
