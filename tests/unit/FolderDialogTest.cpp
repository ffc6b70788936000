// The road from "install" to a chosen folder: the install command, the
// target folder dialog's space figures and commands, the new folder dialog.
#include <windows.h>

#include "InstallerFixture.h"
#include "folders/FreeSpace.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);

int64_t scriptedFreeBytes = 0;
std::string freeSpaceFolder; // the folder the last query asked about
int64_t ScriptedFreeBytes(const std::string &folder) {
  freeSpaceFolder = folder;
  return scriptedFreeBytes;
}

class FolderDialogTest : public InstallerFixture {
protected:
  FolderDialogTest() { SetFreeBytesQuery(ScriptedFreeBytes); }
  ~FolderDialogTest() override { SetFreeBytesQuery(nullptr); }

  // nullptr: no install.ini at all.
  void Start(const char *required) {
    std::vector<std::string> lines = StandardIniLines();
    if (required)
      lines[6] = required;
    WriteRelease(lines);
    if (!required)
      DeleteFileA(release.Path("install.ini").c_str());
    ASSERT_TRUE(StartInstaller()) << startError;
    Form1->Show();
  }
  void ClickInstall() { Click(*Form1, 45, 300); }
  void ClickOk() { Click(*Form2, 45, 288); }
  void ClickCancel() { Click(*Form2, 185, 288); }
  void ClickMakedir() { Click(*Form2, 115, 288); }
  void ClickNewFolderOk() { Click(*Form3, 45, 107); }
  void ClickNewFolderCancel() { Click(*Form3, 190, 107); }
};

struct SpaceCase {
  const char *required;
  int64_t freeBytes;
  const char *shown;
  COLORREF colour;
};

TEST_F(FolderDialogTest, InstallShowsFreeAgainstRequiredSpace) {
  const SpaceCase cases[] = {
      {"120", 3500000000LL, "3500 Mb.", kWhite},
      {"3500", 3500000000LL, "3500 Mb.", kWhite}, // equal is enough
      {"3500", 3499999999LL, "3499 Mb.", kRed},   // one byte less is not
      {"3501", 3500999999LL, "3500 Mb.", kRed},   // truncated, not rounded
      {"1", 999999, "0 Mb.", kRed},
      {"0", -1, "0 Mb.", kWhite},                                   // the query failed
      {"$10", 15000000, "15 Mb.", kRed},                            // hexadecimal 16
      {" 7", 7000000, "7 Mb.", kWhite},                             // leading blank
      {"1", 20000000000000LL, "20000000 Mb.", kWhite},              // 20 TB
      {"2147483647", 9000000000000000LL, "9000000000 Mb.", kWhite}, // beyond 32 bits
  };
  for (const SpaceCase &c : cases) {
    SCOPED_TRACE(c.required);
    scriptedFreeBytes = c.freeBytes;
    Start(c.required);
    ClickInstall();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Form1->Enabled());
    EXPECT_EQ(Form2->Label6.Caption(), c.shown);
    EXPECT_EQ(Form2->Label6.FontColor(), c.colour);
    EXPECT_EQ(freeSpaceFolder, Form2->DirectoryListBox1.Directory());
    EXPECT_EQ(Form2->Label6.AccessibleNote(), c.colour == kRed ? "less than required" : "");
    EXPECT_EQ(Form2->Label8.Caption(), std::string(c.required) + " Mb.");
    EXPECT_EQ(Form2->Label6.Left() + Form2->Label6.Width(), 239) << "numbers end at 239";
    EXPECT_EQ(Form2->Label8.Left() + Form2->Label8.Width(), 239);
    scriptedFreeBytes = 1LL << 60; // a drive with room enough chosen next
    Form2->DriveComboBox1.OnChange();
    EXPECT_EQ(Form2->Label6.FontColor(), kWhite);
    EXPECT_EQ(Form2->Label6.AccessibleNote(), "") << "the spoken note goes with the red";
    StopInstaller();
  }
}

TEST_F(FolderDialogTest, BadRequiredSpaceIsReportedThenTheDialogComes) {
  // Without install.ini the label keeps its design caption, and that is
  // what the conversion sees.
  for (const char *required : {"abc", "99999999999", "", static_cast<const char *>(nullptr)}) {
    std::string text = required ? required : "Label10";
    SCOPED_TRACE(text);
    scriptedFreeBytes = 5000000;
    Start(required);
    boxes.clear(); // the missing file's own report
    ClickInstall();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "'" + text + "' is not a valid integer value.");
    EXPECT_FALSE(Form2->Visible()) << "no half-shown dialog";
    EXPECT_TRUE(Form1->Enabled()) << "the splash window stays usable";
    EXPECT_EQ(Form2->Label8.Caption(), "requiredfree");

    ClickInstall(); // the dialog's windows exist now: no second conversion
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Form2->Visible());
    EXPECT_FALSE(Form1->Enabled());
    EXPECT_EQ(Form2->Label8.Caption(), text + " Mb.");
    ClickCancel();
    EXPECT_TRUE(Form1->Enabled());
    StopInstaller();
  }
}

TEST_F(FolderDialogTest, CommandsMoveBetweenTheWindows) {
  scriptedFreeBytes = 100000000;
  Start("4");
  std::string start = CurrentDirectory();
  ClickInstall();
  ClickCancel();
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_EQ(CurrentDirectory(), start);

  ClickInstall();
  EXPECT_EQ(Form2->Label6.Caption(), "100 Mb.");
  ClickMakedir();
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(Form3->Visible());
  EXPECT_EQ(Form3->Edit1.Text(), "NewFolder") << "the proposed name from install.ini";
  Form3->Edit1.SetText("typed");
  ClickNewFolderCancel();
  EXPECT_FALSE(Form3->Visible());
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Enabled());
  ClickMakedir();
  EXPECT_EQ(Form3->Edit1.Text(), "typed") << "kept between openings";
  ClickNewFolderCancel();
  EXPECT_EQ(GetFileAttributesA(release.Path("typed").c_str()), INVALID_FILE_ATTRIBUTES);

  ClickOk();
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(Form4->Visible());
  EXPECT_FALSE(Form1->Enabled()) << "the extraction dialog enables it again";
  EXPECT_TRUE(boxes.empty());
}

// /D= without /S: the folder dialog opens on that folder when it exists;
// install.ini and every derived path stay those of the start-up folder.
TEST_F(FolderDialogTest, StartsWhereTheCommandLineSays) {
  scriptedFreeBytes = 100000000;
  const std::string target = release.Path("Program Files");
  CreateDirectoryA(target.c_str(), nullptr);
  const std::pair<std::string, std::string> cases[] = {
      {target, target},
      {release.Path("no such folder"), release.Root()},
  };
  WriteRelease(StandardIniLines());
  for (const auto &[start, shown] : cases) {
    SCOPED_TRACE(start);
    ASSERT_TRUE(StartInstaller("", start)) << startError;
    Form1->Show();
    EXPECT_EQ(Form1->DirectoryListBox1.Directory(), release.Root());
    EXPECT_EQ(Form1->Label8.Caption(), release.Root() + "\\" + StandardIniLines()[5]);
    ClickInstall();
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(Form2->DirectoryListBox1.Directory(), shown);
    EXPECT_EQ(CurrentDirectory(), shown);
    EXPECT_EQ(freeSpaceFolder, shown);
    EXPECT_TRUE(boxes.empty());
    StopInstaller();
  }
}

struct NewFolderCase {
  const char *name;
  bool made;    // a folder of that name exists afterwards
  bool entered; // the list moved into it
  bool error;   // a box was shown and the dialog stayed
};

TEST_F(FolderDialogTest, NewFolderNames) {
  const NewFolderCase cases[] = {
      {"Games", true, true, false},
      {"existing", true, true, false},
      {"", true, false,
       false}, // the path is the folder the list shows          {"a|b", false, false, true},
      {"afile.txt", false, false, false}, // names a file: nothing made, no move
  };
  for (const NewFolderCase &c : cases) {
    SCOPED_TRACE(c.name);
    scriptedFreeBytes = 100000000;
    Start("4");
    release.MakeFolder("existing");
    release.WriteFile("afile.txt", "x");
    ClickInstall();
    std::string before = Form2->DirectoryListBox1.Directory();
    ClickMakedir();
    Form3->Edit1.SetText(c.name);
    ClickNewFolderOk();
    std::string path = release.Path(c.name);
    DWORD attributes = GetFileAttributesA(path.c_str());
    EXPECT_EQ(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
              c.made);
    std::string expected = c.entered ? path : before;
    EXPECT_EQ(lstrcmpiA(Form2->DirectoryListBox1.Directory().c_str(), expected.c_str()), 0)
        << Form2->DirectoryListBox1.Directory();
    EXPECT_EQ(lstrcmpiA(CurrentDirectory().c_str(), expected.c_str()), 0) << CurrentDirectory();
    EXPECT_EQ(boxes.size(), c.error ? 1u : 0u);
    EXPECT_EQ(Form3->Visible(), c.error) << "an error keeps the dialog with the typed name";
    EXPECT_EQ(Form2->Visible(), !c.error);
    EXPECT_EQ(Form3->Edit1.Text(), c.name);
    StopInstaller();
  }
}

} // namespace
