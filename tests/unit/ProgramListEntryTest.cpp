// The program-list entry: one per target folder, and the values it holds.
#include <gtest/gtest.h>

#include <string>

#include "installation/ProgramListEntry.h"

namespace {
TEST(ProgramListEntry, OneEntryPerFolderAsThePlatformComparesPaths) {
  const std::string id = ProgramListId("C:\\Games\\Demo");
  for (const char *same :
       {"c:\\GAMES\\demo", "C:\\Games\\Demo\\", "C:/Games/Demo", "\\\\?\\C:\\Games\\Demo"})
    EXPECT_EQ(ProgramListId(same), id) << same;
  for (const char *other : {"C:\\Games\\Demo2", "D:\\Games\\Demo", "C:\\Games", "C:\\Games\\Dem"})
    EXPECT_NE(ProgramListId(other), id) << other;
  EXPECT_EQ(ProgramListId("\\\\?\\UNC\\srv\\s\\x"), ProgramListId("\\\\srv\\s\\x"));
  EXPECT_TRUE(IsProgramListKey(ProgramListKey(false, id)) &&
              IsProgramListKey(ProgramListKey(true, id)));
  for (const std::string &key : {std::string("HKEY_CURRENT_USER\\Software"),
                                 ProgramListKey(false, "x"), ProgramListKey(false, id) + "\\sub"})
    EXPECT_FALSE(IsProgramListKey(key)) << key;
}

TEST(ProgramListEntry, Values) {
  std::string values, text;
  for (const NamedRegistryValue &value :
       ProgramListValues({"Demo \xC3\xA9", "C:\\Demo\\", 1025, 2024, 3, 9}))
    values += value.name + "=" +
              (value.data.type == kRegDword                  ? std::to_string(value.data.bytes[0])
               : RegistryStringText(value.data.bytes, &text) ? text
                                                             : "?") +
              "\n";
  EXPECT_EQ(values, "DisplayName=Demo \xC3\xA9\nInstallLocation=C:\\Demo\n"
                    "UninstallString=\"C:\\Demo\\Uninstall.exe\" /UNINSTALL\n"
                    "QuietUninstallString=\"C:\\Demo\\Uninstall.exe\" /UNINSTALL /S\n"
                    "DisplayIcon=C:\\Demo\\Uninstall.exe,0\nEstimatedSize=2\nInstallDate=20240309\n"
                    "NoModify=1\nNoRepair=1\n");
  EXPECT_EQ(UninstallCommand("D:\\", true), "\"D:\\Uninstall.exe\" /UNINSTALL /S");
}
} // namespace
