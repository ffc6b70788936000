// The small text rules of an extraction run: the progress bar's rounding,
// entry and volume names, and the status texts for the library's codes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "extract/ExtractTexts.h"
#include "extract/UnrarApi.h"

namespace {

TEST(ExtractTexts, RoundPercentHalvesToEvenWithinRange) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const struct {
    long double percent;
    int32_t position;
  } cases[] = {
      {0.0L, 0},
      {0.5L, 0},
      {1.5L, 2},
      {2.5L, 2},
      {99.5L, 100},
      {100.4999L, 100},
      {-0.5L, 0},
      {-1.5L, -2},
      {2147483646.5L, 2147483646},
      {2147483647.0L, INT32_MAX},
      {1e30L, INT32_MAX},
      {inf, INT32_MAX},
      {-2147483648.5L, INT32_MIN},
      {-inf, INT32_MIN},
      {std::numeric_limits<long double>::quiet_NaN(), 0},
      {std::numeric_limits<long double>::denorm_min(), 0},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RoundPercent(c.percent), c.position) << static_cast<double>(c.percent);
}

TEST(ExtractTexts, EntryNameStopsAtZeroAndDropsBlanksAndControls) {
  const struct {
    std::string field;
    size_t size;
    std::string name;
  } cases[] = {
      {std::string("dir\\file.txt\0junk", 17), 17, "dir\\file.txt"},
      {"  padded \t", 10, "padded"},
      {"\x01\x1F name\x7F", 9, "name\x7F"},
      {"no zero within the size", 7, "no zero"},
      {std::string("\0abc", 4), 4, ""},
      {"    ", 4, ""},
      {"\xE9t\xE9", 3, "\xE9t\xE9"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(EntryName(c.field.data(), c.size), c.name) << c.field;
}

TEST(ExtractTexts, VolumeFileNameAfterTheLastBackslashOrColon) {
  const struct {
    const char *path, *name;
  } cases[] = {
      {"C:\\REL\\set.part1.rar", "set.part1.rar"}, {"D:set.rar", "set.rar"}, {"set.rar", "set.rar"},
      {"\\\\srv\\share\\x.rar", "x.rar"},          {"C:\\REL\\", ""},        {"", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(VolumeFileName(c.path), c.name) << c.path;
}

TEST(ExtractTexts, StatusTexts) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {ModePrefix(0) + "a", "Extracting a"},
      {ModePrefix(1) + "a", "Testing    a"},
      {ModePrefix(2) + "a", "Printing   a"},
      {ModePrefix(3) + "a", "a"},
      {OpenFailureText(ERAR_BAD_ARCHIVE, "C:\\x.rar"), "Is not RAR archive:C:\\x.rar"},
      {OpenFailureText(ERAR_EOPEN, "C:\\x.rar"), "Cannot open C:\\x.rar"},
      {OpenFailureText(ERAR_BAD_PASSWORD, "C:\\x.rar"), "Extraction failed (code 24)"},
      {ProcessFailureText(ERAR_BAD_DATA), "CRC error"},
      {OpenFailureText(ERAR_MISSING_PASSWORD, "C:\\x.rar"), "Password required:C:\\x.rar"},
      {ProcessFailureText(ERAR_MISSING_PASSWORD), "Password required"},
      {HeaderFailureText(ERAR_BAD_DATA), "File header broken"},
      {HeaderFailureText(ERAR_EREAD), "Read error"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(c.text, c.expected);
}

} // namespace
