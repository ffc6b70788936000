// The extraction texts on any bytes: the bar position for any 80-bit
// percentage (NaN, infinities, denormals and the encodings no arithmetic
// produces), entry names from any header field, volume names from any path.
#include <cmath>
#include <cstring>

#include "FuzzInput.h"
#include "extract/ExtractTexts.h"

namespace {
bool Blank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  unsigned char raw[sizeof(long double)] = {};
  for (size_t i = 0; i < 10 && i < sizeof raw; ++i)
    raw[i] = in.Byte();
  long double percent;
  std::memcpy(&percent, raw, sizeof percent);
  int32_t position = RoundPercent(percent);
  if (percent > -2147483648.0L && percent < 2147483647.0L)
    FUZZ_CHECK(std::fabs(static_cast<long double>(position) - percent) <= 0.5L);

  std::string field = in.Rest();
  std::string name = EntryName(field.data(), field.size());
  FUZZ_CHECK(name.find('\0') == std::string::npos);
  FUZZ_CHECK(name.empty() || (!Blank(name.front()) && !Blank(name.back())));
  FUZZ_CHECK(field.find(name) != std::string::npos);

  std::string volume = VolumeFileName(field);
  FUZZ_CHECK(volume.find_first_of("\\:") == std::string::npos);
  FUZZ_CHECK(field.size() >= volume.size() &&
             field.compare(field.size() - volume.size(), volume.size(), volume) == 0);

  int code = static_cast<int>(field.size() % 32);
  FUZZ_CHECK(!OpenFailureText(code, field).empty());
  FUZZ_CHECK(!HeaderFailureText(code).empty());
  return 0;
}
