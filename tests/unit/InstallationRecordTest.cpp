// The installation record written and read back, section by section; and
// every way a record can be damaged refused as a whole.
#include <gtest/gtest.h>

#include <string>

#include "installation/InstallationRecord.h"
#include "installation/ProgramListEntry.h"
#include "runtime/Crc32.h"

namespace {
// Everything a field can hold: tabs, line breaks, '%', zeros, text in no
// code page, strings that are no clean string, types without a name.
RecordSection Example() {
  RecordSection section;
  section.title = "100%\tsure\r\n\xE4\xB8\xAD";
  section.entryKey = ProgramListKey(false, ProgramListId("C:\\Games\\Demo"));
  section.targetExisted = false;
  section.folders = {"d\xC3\xA9j\xC3\xA0", "d\xC3\xA9j\xC3\xA0\\sub dir"};
  section.files = {{"d\xC3\xA9j\xC3\xA0\\a b.txt", 18446744073709551615ull, 0x1a2b3c4d}};
  section.registry.keys = {{"HKEY_USERS\\D", true}, {"HKEY_USERS\\S", false}};
  const std::string multi = RegistryStringBytes(std::string("a\0b\0", 4));
  section.registry.values = {
      {"HKEY_USERS\\S", "tab\tname", false, {true, kRegMultiSz, multi}},
      {"HKEY_USERS\\S", "odd", false, {true, kRegSz, std::string("a\0b", 3)}},
      {"HKEY_USERS\\S", "", true, {true, 0x12345, "*"}},
      {"HKEY_USERS\\S", "new", false, {}}};
  return section;
}

// Folded 64 or 16 bytes at a time, or eight, or one, in any split: as one
// bit at a time would give.
TEST(InstallationRecord, Crc32OfAnyLengthAndSplit) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  std::string data;
  uint32_t bitwise = 0xFFFFFFFFu;
  for (size_t length = 0; length <= 300; ++length) {
    for (size_t split = 0; split <= length; split += 1 + split / 8)
      ASSERT_EQ(Crc32(&data[split], length - split, Crc32(data.data(), split)), ~bitwise)
          << length << " split at " << split;
    data += static_cast<char>(length * 37 + length / 7);
    for (int bit = 0, byte = static_cast<unsigned char>(data.back()); bit < 8; ++bit, byte >>= 1)
      bitwise = (bitwise ^ static_cast<uint32_t>(byte & 1)) & 1 ? bitwise >> 1 ^ 0xEDB88320u
                                                                : bitwise >> 1;
  }
}

TEST(InstallationRecord, SectionsReadBackAsWritten) {
  const std::string text = RecordSectionText(Example()) + RecordSectionText(RecordSection());
  RecordReading reading = ReadRecord(text);
  ASSERT_EQ(RecordProblemText(reading), "");
  ASSERT_EQ(reading.sections.size(), 2u);
  EXPECT_EQ(RecordSectionText(reading.sections[0]) + RecordSectionText(reading.sections[1]), text);
  EXPECT_EQ(reading.sections[0].registry.values[1].prior.bytes, std::string("a\0b", 3));
}

// Cut anywhere or any byte changed: refused, unless the cut falls between
// sections (what is left is then a whole record).
TEST(InstallationRecord, DamagedCutOrEditedIsRefused) {
  const std::string first = RecordSectionText(Example());
  const std::string text = first + first;
  for (size_t cut = 0; cut < text.size(); ++cut)
    EXPECT_EQ(ReadRecord(text.substr(0, cut)).sections.size(), cut == first.size()) << cut;
  for (size_t at = 0; at < text.size(); ++at) {
    std::string edited = text;
    edited[at] ^= 0x21;
    EXPECT_NE(ReadRecord(edited).problem, RecordReading::Problem::None) << at;
  }
  std::string other = text;
  other.replace(other.find("\t1\r\n"), 2, "\t2");
  EXPECT_EQ(RecordProblemText(ReadRecord(other)),
            "The installation record was written in another format (line 1).");
}

TEST(InstallationRecord, PathsOutsideTheTargetAreRefusedLineByLine) {
  const std::pair<const char *, bool> paths[] = {
      {"a\\b.c", true},   {"..\\x", false}, {"a\\..\\b", false}, {"a/../b", false},
      {"\\x", false},     {"C:\\x", false}, {"C:x", false},      {"\\\\srv\\s\\x", false},
      {"a\\.\\b", false}, {"a.\\b", false}, {"a \\b", false},    {"a\\", false},
      {"a\\\\b", false},  {"a\x01", false}, {"x::$DATA", false}, {"", false},
  };
  RecordSection section;
  section.entryKey = "HKEY_CURRENT_USER\\Software";
  for (const auto &[path, inside] : paths) {
    EXPECT_EQ(IsInsidePath(path), inside) << path;
    section.files.push_back({path, 1, 2});
  }
  RecordReading reading = ReadRecord(RecordSectionText(section));
  ASSERT_EQ(reading.sections.size(), 1u);
  EXPECT_EQ(reading.sections[0].files.size(), 1u);
  EXPECT_EQ(reading.sections[0].entryKey, "");
  EXPECT_EQ(reading.sections[0].refused.size(), std::size(paths));
}
} // namespace
