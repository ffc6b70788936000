// Text to integer: the raising and the quiet form agree, the message names
// the text, and an accepted value is what the digits say.
#include <cerrno>
#include <cinttypes>

#include "FuzzInput.h"
#include "runtime/Exception.h"
#include "runtime/StrToInt.h"

namespace {
// The value of accepted text, worked out with the C library.
int64_t Expected(const std::string &text) {
  size_t i = text.find_first_not_of(' ');
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+')
    ++i;
  if (text[i] == '$' ||
      (text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X'))) {
    i += text[i] == '$' ? 1 : 2;
    errno = 0;
    uint64_t bits = std::strtoull(text.c_str() + i, nullptr, 16);
    FUZZ_CHECK(errno == 0 && bits <= 0xFFFFFFFFu);
    int64_t value = static_cast<int32_t>(static_cast<uint32_t>(bits));
    return negative ? -value : value;
  }
  errno = 0;
  long long value = std::strtoll(text.c_str() + i, nullptr, 10);
  FUZZ_CHECK(errno == 0);
  return negative ? -value : value;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text(reinterpret_cast<const char *>(data), size);
  int32_t quiet = 0;
  bool ok = TryStrToInt(text, &quiet);
  try {
    int32_t value = StrToInt(text);
    FUZZ_CHECK(ok && value == quiet);
  } catch (const EConvertError &e) {
    FUZZ_CHECK(!ok);
    FUZZ_CHECK(e.Message() == "'" + text + "' is not a valid integer value");
  }
  if (!ok)
    return 0;
  // Accepted text holds no zero byte, so the C library sees all of it.
  FUZZ_CHECK(text.find('\0') == std::string::npos);
  FUZZ_CHECK(Expected(text) == quiet);
  int32_t again = 0;
  FUZZ_CHECK(TryStrToInt(std::to_string(quiet), &again) && again == quiet);
  return 0;
}
