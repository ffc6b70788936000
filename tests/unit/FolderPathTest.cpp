// Path logic of the directory list on a scripted file system: the split of
// a path by directory changes, the chain of folders, item paths, and the
// double-byte cases a single-byte system cannot produce.
#include <gtest/gtest.h>

#include "ScriptedFolders.h"
#include "folders/FolderPath.h"

// Found by argument-dependent lookup, so beside FolderItem.
bool operator==(const FolderItem &a, const FolderItem &b) {
  return a.text == b.text && a.kind == b.kind;
}
void PrintTo(const FolderItem &item, std::ostream *out) {
  *out << item.text << "/" << static_cast<int>(item.kind);
}

namespace {

struct SplitCase {
  const char *path;
  int error;
  char drive;
  const char *folder;
  const char *name;
};

TEST(FolderPathTest, SplitTriesEachChangeAndAlwaysGoesBack) {
  const SplitCase cases[] = {
      {"C:\\APPS\\TOOLS", 0, 'C', "\\APPS\\TOOLS", ""},
      {"C:\\", 0, 'C', "\\", ""},
      {"C:\\APPS\\", 0, 'C', "\\APPS", ""},
      {"\\APPS\\TOOLS", 0, 'C', "\\APPS\\TOOLS", ""}, // the current drive
      {"TOOLS", 0, 'C', "\\APPS\\TOOLS", ""},         // relative to the current folder
      {"D:", 0, 'D', "\\WORK", ""},                   // the drive's own current folder
      {"C:\\APPS\\readme.txt", 0, 'C', "\\APPS", "readme.txt"},
      {"C:\\APPS\\*.txt", 0, 'C', "\\APPS", "*.txt"},
      {"\\\\srv\\share\\data", 0, 0, "\\\\srv\\share\\data", ""},
      {"C:\\APPS\\NOPE", 3, 'C', "", ""},
      {"C:\\NOPE\\TOOLS", 3, 'C', "", ""},
      {"Q:\\APPS", 3, 'Q', "", ""},
      {"D:\\NOPE", 3, 'D', "", ""}, // drive d: entered, its folder not
  };
  for (const SplitCase &c : cases) {
    ScriptedFolders fs;
    SplitResult result = SplitPath(c.path, fs);
    EXPECT_EQ(result.error, c.error) << c.path;
    EXPECT_EQ(result.drive, c.drive) << c.path;
    if (c.error == 0) {
      EXPECT_EQ(result.folder, c.folder) << c.path;
      EXPECT_EQ(result.name, c.name) << c.path;
    }
    EXPECT_EQ(fs.current, "C:\\APPS") << c.path << ": the current directory is restored";
  }
}

TEST(FolderPathTest, SplitWithAnUnreadableCurrentDirectoryChangesNothing) {
  ScriptedFolders fs;
  fs.currentError = kPathTooLong;
  EXPECT_EQ(SplitPath("C:\\APPS\\TOOLS", fs).error, kPathTooLong);
  EXPECT_EQ(fs.changes, 0);
}

struct ChainCase {
  const char *directory;
  bool dbcs;
  std::vector<FolderItem> items;
};

TEST(FolderPathTest, ChainRunsFromTheRootToTheFolder) {
  const FolderKind A = FolderKind::Ancestor, C = FolderKind::Current;
  const ChainCase cases[] = {
      {"C:\\APPS\\TOOLS", false, {{"C:\\", A}, {"APPS", A}, {"TOOLS", C}}},
      {"C:\\", false, {{"C:\\", C}}},
      {"\\\\srv\\share\\data\\x", false, {{"\\\\srv\\share\\", A}, {"data", A}, {"x", C}}},
      {"\\\\srv\\share\\", false, {{"\\\\srv\\share\\", A}}},
      // 0x95 0x5C is one double-byte character, not a name and a backslash.
      {"C:\\\x95\x5C\\SUB", true, {{"C:\\", A}, {"\x95\x5C", A}, {"SUB", C}}},
      // A folder whose name ends in such a character is no drive root.
      {"C:\\\x95\x5C", true, {{"C:\\", A}, {"\x95\x5C", C}}},
  };
  for (const ChainCase &c : cases) {
    ScriptedFolders fs;
    fs.dbcs = c.dbcs;
    EXPECT_EQ(FolderChain(c.directory, fs), c.items) << c.directory;
  }
}

TEST(FolderPathTest, ItemPaths) {
  ScriptedFolders fs;
  std::string dir = "C:\\APPS\\TOOLS\\BIN";
  std::vector<FolderItem> items = FolderChain(dir, fs);
  items.push_back({"x", FolderKind::Subfolder});
  const char *expected[] = {
      "C:\\", "\\APPS", "\\APPS\\TOOLS", "C:\\APPS\\TOOLS\\BIN", "C:\\APPS\\TOOLS\\BIN\\x", ""};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(ItemPath(dir, items, i, fs), expected[i]) << i;
  EXPECT_EQ(ItemPath(dir, items, -1, fs), "");

  std::string share = "\\\\srv\\share\\a\\b";
  EXPECT_EQ(ItemPath(share, FolderChain(share, fs), 0, fs), "\\\\srv\\share\\");
  EXPECT_EQ(ItemPath(share, FolderChain(share, fs), 1, fs), "\\a");

  std::string root = "C:\\";
  std::vector<FolderItem> rootItems = FolderChain(root, fs);
  rootItems.push_back({"x", FolderKind::Subfolder});
  EXPECT_EQ(ItemPath(root, rootItems, 1, fs), "C:\\x") << "no doubled backslash";

  fs.dbcs = true;
  std::string wide = "C:\\\x95\x5C\\SUB\\X";
  EXPECT_EQ(ItemPath(wide, FolderChain(wide, fs), 2, fs), "\\\x95\x5C\\SUB");
  EXPECT_EQ(PathDepth(wide, fs), 3);
}

TEST(FolderPathTest, JoinAddsABackslashUnlessTheLastCharacterIsOne) {
  const struct {
    const char *folder;
    bool dbcs;
    const char *path;
  } cases[] = {
      {"C:\\APPS", false, "C:\\APPS\\x"},          {"C:\\", false, "C:\\x"}, {"", false, "\\x"},
      {"C:\\\x95\x5C", true, "C:\\\x95\x5C\\x"}, // 0x5C ends a character here
      {"C:\\\x95\x5C", false, "C:\\\x95\x5Cx"},  // and is a backslash here
      {"C:\\\x95\x5C\\", true, "C:\\\x95\x5C\\x"},
  };
  for (const auto &c : cases) {
    ScriptedFolders fs;
    fs.dbcs = c.dbcs;
    EXPECT_EQ(JoinPath(c.folder, "x", fs), c.path) << c.folder << " dbcs " << c.dbcs;
  }
}

TEST(FolderPathTest, RootLengthOfAbsoluteFolders) {
  const std::pair<const char *, size_t> cases[] = {
      {"C:\\", 3},    {"c:/x/y", 3},    {"\\\\srv\\share", 11}, {"\\\\srv\\share\\a", 11},
      {"\\\\srv", 0}, {"\\\\srv\\", 0}, {"\\\\\\share", 0},     {"\\\\srv\\\\share", 0},
      {"C:", 0},      {"1:\\x", 0},     {"relative\\x", 0},     {"", 0},
  };
  for (const auto &[path, root] : cases)
    EXPECT_EQ(AbsoluteRootLength(path), root) << path;
}

TEST(FolderPathTest, LevelsRunFromTheRootDownAndSkipTrailBytes) {
  using Levels = std::vector<std::string>;
  const struct {
    const char *path;
    size_t root;
    bool dbcs;
    Levels levels;
  } cases[] = {
      {"C:\\A\\B", 3, false, {"C:\\", "C:\\A", "C:\\A\\B"}},
      {"C:/A//B\\", 3, false, {"C:/", "C:/A", "C:/A//B"}},
      {"\\\\srv\\share\\A", 11, false, {"\\\\srv\\share", "\\\\srv\\share\\A"}},
      {"C:\\\x95\x5C\\B", 3, true, {"C:\\", "C:\\\x95\x5C", "C:\\\x95\x5C\\B"}},
      {"C:\\\x95\x5C\\B", 3, false, {"C:\\", "C:\\\x95", "C:\\\x95\x5C\\B"}},
      {"A\\B", 0, false, {}},
  };
  for (const auto &c : cases) {
    ScriptedFolders fs;
    fs.dbcs = c.dbcs;
    EXPECT_EQ(FolderLevels(c.path, c.root, fs), c.levels) << c.path << " dbcs " << c.dbcs;
  }
}

TEST(FolderPathTest, DoubleByteCaseRuleLeavesBothBytesOfACharacter) {
  ScriptedFolders fs;
  fs.dbcs = true;
  auto lead = [&](unsigned char byte) { return fs.IsLeadByte(byte); };
  EXPECT_EQ(AsciiCase("AbC\x95Z\xE0q", true, lead), "abc\x95Z\xE0q");
  EXPECT_EQ(AsciiCase("AbC\x95z\xC4", false, lead), "ABC\x95z\xC4") << "0xC4 is no letter";
  // The whole ASCII range: the 26 letters change case, the other 102 bytes
  // (the neighbours @ [ ` { included) stay.
  std::string ascii;
  for (int byte = 0; byte < 128; ++byte)
    ascii += static_cast<char>(byte);
  std::string lower = ascii, upper = ascii;
  lower.replace('A', 26, "abcdefghijklmnopqrstuvwxyz");
  upper.replace('a', 26, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(AsciiCase(ascii, true, lead), lower);
  EXPECT_EQ(AsciiCase(ascii, false, lead), upper);
}

} // namespace
