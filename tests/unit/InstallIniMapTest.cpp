// The nine lines of install.ini and the fields they set, read through the
// line reader from bytes in memory.
#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "MemorySource.h"
#include "release/InstallIniMap.h"

namespace {

using Fields = std::vector<std::pair<IniField, std::string>>;

// Maps `bytes` into the list of fields set and into `ini`; a failing read
// raises, as the I/O check does.
Fields Map(const std::string &bytes, const std::string &directory,
           size_t failAt = MemorySource::kNever, InstallIni *ini = nullptr) {
  Fields fields;
  for (bool intoStruct : {false, true}) {
    if (intoStruct && !ini)
      break;
    MemorySource source(bytes);
    if (failAt != MemorySource::kNever)
      source.FailAt(failAt, 5);
    TextLineReader reader(source, 1); // a failure hits exactly the byte at failAt
    auto next = [&reader] {
      std::string line;
      int32_t error = 0;
      if (!reader.ReadLine(&line, &error))
        throw std::runtime_error("read failed");
      return line;
    };
    try {
      if (intoStruct)
        MapInstallIni(next, directory, *ini);
      else
        MapInstallIni(next, directory, [&](IniField field, const std::string &value) {
          fields.emplace_back(field, value);
        });
    } catch (const std::runtime_error &) {
    }
  }
  return fields;
}

TEST(InstallIniMap, EveryLineSetsItsFieldInOrder) {
  Fields fields = Map("  Title  \r\nSub\r\nA.NFO\r\nB.DIZ\r\nTarget Dir\r\nset.part1.rar\r\n12\r\n"
                      "x.reg\r\nNotes here\r\na tenth line is ignored\r\n",
                      "C:\\REL");
  Fields expected = {
      {IniField::Title, "  Title  "},          {IniField::Subtitle, "Sub"},
      {IniField::ReleaseNotesFile, "A.NFO"},   {IniField::DescriptionFile, "B.DIZ"},
      {IniField::NewFolderName, "Target Dir"}, {IniField::ArchivePath, "C:\\REL\\set.part1.rar"},
      {IniField::ArchiveFolder, "C:\\REL\\"},  {IniField::RequiredMegabytes, "12"},
      {IniField::RegistryFile, "x.reg"},       {IniField::InstallNotes, "Notes here"},
  };
  EXPECT_EQ(fields, expected);
}

TEST(InstallIniMap, ShortAndOddFiles) {
  struct Case {
    const char *name;
    std::string bytes;
    std::string directory;
    std::map<IniField, std::string> some; // fields checked; all ten are always set
  } cases[] = {
      {"empty", "", "C:\\R", {{IniField::Title, ""}, {IniField::ArchivePath, "C:\\R\\"}}},
      {"LF only: one long title",
       "one\ntwo\nthree\n",
       "C:\\R",
       {{IniField::Title, "one\ntwo\nthree\n"}, {IniField::Subtitle, ""}}},
      {"0x1A ends the values",
       "t\r\ns\x1Ar\r\nn\r\n",
       "C:\\R",
       {{IniField::Subtitle, "s"}, {IniField::ReleaseNotesFile, ""}}},
      {"drive root: two backslashes",
       "t\r\ns\r\nr\r\nd\r\nn\r\nset.rar\r\n",
       "D:\\",
       {{IniField::ArchivePath, "D:\\\\set.rar"}, {IniField::ArchiveFolder, "D:\\\\"}}},
      {"archive line as it is",
       "\r\n\r\n\r\n\r\n\r\n..\\up.rar \r\n",
       "C:\\R",
       {{IniField::ArchivePath, "C:\\R\\..\\up.rar "}}},
  };
  for (const Case &c : cases) {
    Fields fields = Map(c.bytes, c.directory);
    ASSERT_EQ(fields.size(), 10u) << c.name;
    std::map<IniField, std::string> byField(fields.begin(), fields.end());
    for (const auto &[field, value] : c.some)
      EXPECT_EQ(byField[field], value) << c.name << " field " << static_cast<int>(field);
  }
}

TEST(InstallIniMap, AFailedReadLeavesTheLaterFieldsUnset) {
  const std::string text = "t\r\ns\r\nr\r\nd\r\nn\r\na.rar\r\n12\r\nx.reg\r\nnotes\r\n";
  const struct {
    size_t failAt; // byte offset of the failing read
    size_t fieldsSet;
  } cases[] = {
      {0, 0},
      {4, 1},                  // inside the second line
      {text.find("a.rar"), 5}, // the archive line: neither of its two fields
      {text.find("12"), 7},
      {text.find("notes"), 9},
  };
  const InstallIni design;
  for (const auto &c : cases) {
    InstallIni ini;
    Fields fields = Map(text, "C:\\R", c.failAt, &ini);
    EXPECT_EQ(fields.size(), c.fieldsSet) << "fail at " << c.failAt;
    // The release's fields: the values read, then the design values.
    std::string InstallIni::*const members[] = {
        &InstallIni::title,           &InstallIni::subtitle,          &InstallIni::releaseNotesFile,
        &InstallIni::descriptionFile, &InstallIni::newFolderName,     &InstallIni::archivePath,
        &InstallIni::archiveFolder,   &InstallIni::requiredMegabytes, &InstallIni::registryFile,
        &InstallIni::installNotes};
    for (size_t i = 0; i < std::size(members); ++i)
      EXPECT_EQ(ini.*members[i], i < fields.size() ? fields[i].second : design.*members[i])
          << "fail at " << c.failAt << ", field " << i;
  }
}

} // namespace
