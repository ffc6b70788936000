// The drive list on scripted machines (kinds of drive Wine cannot produce)
// and on the extra drives that the fixture "wine_drives" adds to the prefix.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Picture.h"
#include "folders/DirectoryListBox.h"
#include "folders/DriveComboBox.h"
#include "folders/DriveSystem.h"
#include "folders/FileNameCase.h"
#include "runtime/Application.h"
#include "runtime/Form.h"

namespace {

struct Scripted {
  char letter;
  UINT type;
  const char *label; // nullptr: cannot be read (not ready)
  const char *share; // nullptr: no connection
};

// Answers from a table and records what was asked.
class TScriptedDrives : public TDriveSystem {
public:
  std::vector<Scripted> drives;
  bool doubleByte = false;
  UINT mode = SEM_NOOPENFILEERRORBOX;
  std::vector<std::string> labelReads, connections;
  std::vector<UINT> modeDuringReads;

  const Scripted *Find(char letter) const {
    for (const Scripted &d : drives)
      if (d.letter == (letter | 0x20))
        return &d;
    return nullptr;
  }
  DWORD LogicalDrives() override {
    DWORD mask = 0;
    for (const Scripted &d : drives)
      mask |= 1u << (d.letter - 'a');
    return mask;
  }
  UINT DriveType(const char *root) override { return Find(root[0])->type; }
  bool VolumeName(const char *root, char *name, DWORD size) override {
    labelReads.push_back(root);
    modeDuringReads.push_back(mode);
    const char *label = Find(root[0])->label;
    std::strncpy(name, label ? label : "junk a failed read left", size);
    return label != nullptr;
  }
  DWORD NetConnection(const char *local, char *remote, DWORD *size) override {
    connections.push_back(local);
    const char *share = Find(local[0])->share;
    if (share)
      std::strncpy(remote, share, *size);
    return share ? NO_ERROR : ERROR_NOT_CONNECTED;
  }
  bool DoubleByteSystem() override { return doubleByte; }
  bool IsLeadByte(BYTE byte) override { return byte >= 0x81 && byte <= 0x9F; } // Shift-JIS
  UINT SetErrorMode(UINT newMode) override { return std::exchange(mode, newMode); }
};

TScriptedDrives EveryKind() {
  TScriptedDrives machine;
  machine.drives = {
      {'a', DRIVE_REMOVABLE, "Boot", nullptr}, {'c', DRIVE_FIXED, "System", nullptr},
      {'d', DRIVE_CDROM, nullptr, nullptr},    {'f', DRIVE_REMOTE, "x", "\\\\Server\\Apps"},
      {'g', DRIVE_REMOTE, "Backup", nullptr},  {'h', DRIVE_UNKNOWN, "x", nullptr},
      {'i', DRIVE_NO_ROOT_DIR, "x", nullptr},  {'j', 7, "x", nullptr},
      {'r', DRIVE_RAMDISK, "", nullptr}};
  return machine;
}

class TDriveTestForm : public TForm {
public:
  TDriveTestForm()
      : TForm("TDriveTestForm", {220, 200, RGB(0, 0, 0), TBorderStyle::None, "", true}) {
    Drives.SetBounds(10, 10, 180, 21);
    Drives.SetFont({"MS Sans Serif", 11, false});
    Drives.OnChange = [this] { changes += Drives.Drive() ? Drives.Drive() : '-'; };
  }
  TDriveComboBox Drives{this};
  std::string changes; // Drive() at each OnChange, '-' for none
};

// The picture (of the five) drawn in the closed box, found by its pixels;
// its see-through corner must not show the picture's own blue.
std::string PictureShown(TDriveComboBox &box) {
  Picture shot = Picture::OfWindow(box.Handle());
  WindowDC screen(nullptr);
  MemoryDC picture(screen.Get());
  for (const char *name : {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"}) {
    Bitmap bits(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, 0)));
    Selection selectPicture(picture.Get(), bits.Get());
    const int w = 16, h = 11;
    COLORREF clear = GetPixel(picture.Get(), 0, h - 1);
    for (int top = 0; top + h <= shot.Height(); ++top)
      for (int left = 0; left + w <= shot.Width(); ++left) {
        bool same = shot.At(left, top + h - 1) != clear;
        for (int i = 0; i < w * h && same; ++i) {
          COLORREF want = GetPixel(picture.Get(), i % w, i / w);
          same = want == clear || shot.At(left + i % w, top + i / w) == want;
        }
        if (same)
          return name;
      }
  }
  return "";
}

class DriveComboBoxTest : public ::testing::Test {
protected:
  DriveComboBoxTest() {
    app.Initialize();
    app.SetMessageBoxHook([](const std::string &, const std::string &, UINT) { return IDOK; });
    SetCurrentDirectoryA("C:\\");
  }
  void Open(TDriveSystem *system) {
    app.CreateForm(form);
    if (system)
      form->Drives.SetDriveSystem(system);
    form->Show();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < form->Drives.ItemCount(); ++i)
      texts.push_back(form->Drives.ItemText(i));
    return texts;
  }
  // What the platform's list does when the user picks entry `index`.
  void UserPicks(int index) {
    HWND box = form->Drives.Handle();
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Drives.ControlId(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }

  TApplication app;
  TDriveTestForm *form = nullptr;
};

TEST_F(DriveComboBoxTest, EveryKindInLetterOrderWithTextPictureAndCase) {
  TScriptedDrives machine = EveryKind();
  Open(&machine);
  EXPECT_EQ(form->Drives.Drive(), 'c') << "the current directory's drive, selected at creation";
  EXPECT_EQ(form->changes, "c");
  struct Case {
    TTextCase textCase;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {tcLowerCase, {"a:", "c: [system]", "d: []", "f: \\\\server\\apps", "g: [backup]", "r: []"}},
      {tcUpperCase, {"A:", "C: [SYSTEM]", "D: []", "F: \\\\SERVER\\APPS", "G: [BACKUP]", "R: []"}},
  };
  for (const Case &c : cases) {
    machine.labelReads.clear();
    machine.connections.clear();
    machine.modeDuringReads.clear();
    form->changes.clear();
    form->Drives.SetTextCase(c.textCase);
    EXPECT_EQ(Texts(), c.texts);
    EXPECT_EQ(form->changes, c.texts[1].substr(0, 1)) << "drive stored again, in the new case";
    EXPECT_EQ(form->Drives.ItemIndex(), 1);
    EXPECT_EQ(machine.labelReads.size(), 4u) << "c, d, g, r: the removable drive is never read";
    EXPECT_EQ(machine.connections, (std::vector<std::string>{"F:", "G:"}));
    EXPECT_EQ(machine.modeDuringReads, std::vector<UINT>(4, SEM_FAILCRITICALERRORS));
    EXPECT_EQ(machine.mode, static_cast<UINT>(SEM_NOOPENFILEERRORBOX))
        << "restored after each read";
  }
  const char *pictures[] = {"FLOPPY", "HARD", "CDROM", "NETWORK", "NETWORK", "RAM"};
  for (int i = 0; i < 6; ++i) {
    form->Drives.SetDrive(form->Drives.ItemText(i)[0]);
    EXPECT_EQ(PictureShown(form->Drives), pictures[i]) << i;
  }
}

TEST_F(DriveComboBoxTest, CaseRulesOnSingleAndDoubleByteSystems) {
  struct Case {
    bool doubleByte;
    const char *text, *lower, *upper;
  };
  const Case cases[] = {
      {false, "\xC9t\xE9 Ab", "\xE9t\xE9 ab", "\xC9T\xC9 AB"}, // the code page's letters too
      // ASCII letters only; double-byte characters (even with a trail byte
      // that looks like a letter, or a lead byte at the end) stay whole.
      {true, "Ab\x82\x41\xC9z\x9F", "ab\x82\x41\xC9z\x9F", "AB\x82\x41\xC9Z\x9F"},
  };
  for (const Case &c : cases) {
    TScriptedDrives machine;
    machine.doubleByte = c.doubleByte;
    EXPECT_EQ(FileNameCase(c.text, true, machine), c.lower);
    EXPECT_EQ(FileNameCase(c.text, false, machine), c.upper);
  }
  TScriptedDrives machine;
  machine.doubleByte = true;
  machine.drives = {{'c', DRIVE_FIXED, "Sys\x82\x41", nullptr},
                    {'n', DRIVE_REMOTE, nullptr, "\\\\H\\\x82\x42"}};
  Open(&machine);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"c: [sys\x82\x41]", "n: \\\\h\\\x82\x42"}));
}

TEST_F(DriveComboBoxTest, OnChangeFromPicksAndFromSettingDrive) {
  TScriptedDrives machine = EveryKind();
  Open(&machine);
  struct Step {
    int pick; // entry the user picks, or -1
    char set; // else the Drive set
    const char *changes;
    int index; // selected afterwards
  };
  const Step steps[] = {
      {2, 0, "dd", 2},   // another drive: the click step, then the pick
      {2, 0, "d", 2},    // the same drive
      {-1, 'D', "", 2},  // the selected drive in another case: nothing
      {-1, 'R', "r", 5}, // stored in the entries' case
      {-1, 'z', "z", 5}, // no such entry: selection kept
      {-1, 0, "-", -1},
  };
  for (const Step &step : steps) {
    form->changes.clear();
    if (step.pick >= 0)
      UserPicks(step.pick);
    else
      form->Drives.SetDrive(step.set);
    EXPECT_EQ(form->changes, step.changes);
    EXPECT_EQ(form->Drives.ItemIndex(), step.index);
  }
}

TEST_F(DriveComboBoxTest, ItemHeightFollowsTheFontAndTheListIsReadAgain) {
  TScriptedDrives machine = EveryKind();
  Open(&machine);
  for (int fontHeight : {6, 30}) {
    form->changes.clear();
    form->Drives.SetFont({"Arial", fontHeight, false});
    int height = form->Drives.ItemHeight();
    EXPECT_EQ(height, fontHeight < 11 ? 11 : height) << "never below the pictures";
    EXPECT_GE(height, fontHeight);
    EXPECT_EQ(SendMessageA(form->Drives.Handle(), CB_GETITEMHEIGHT, 0, 0), height);
    EXPECT_EQ(form->changes, "c");
  }
}

TEST_F(DriveComboBoxTest, LinkToADirectoryListIsClearedWhenTheListGoes) {
  Open(nullptr);
  auto *list = new TDirectoryListBox(form);
  form->Drives.SetDirList(list);
  delete list;
  EXPECT_EQ(form->Drives.DirList(), nullptr);
}

TEST_F(DriveComboBoxTest, ExtraWineDrivesWithTheirTextsAndPicturesAndAKeyboardPick) {
  Open(nullptr);
  std::vector<std::string> texts = Texts();
  for (size_t i = 1; i < texts.size(); ++i)
    EXPECT_LT(texts[i - 1][0], texts[i][0]) << "letter order";
  struct Extra {
    const char *text, *picture;
  };
  const Extra extras[] = {{"m: [disk label]", "HARD"},
                          {"n: [disc]", "CDROM"},
                          {"o:", "FLOPPY"},
                          {"p: [share]", "NETWORK"},
                          {"q: []", "CDROM"}}; // no disc: not ready
  for (const Extra &extra : extras) {
    form->Drives.SetDrive(extra.text[0]);
    ASSERT_GE(form->Drives.ItemIndex(), 0) << extra.text;
    EXPECT_EQ(form->Drives.ItemText(form->Drives.ItemIndex()), extra.text);
    EXPECT_EQ(PictureShown(form->Drives), extra.picture) << extra.text;
  }
  RECT dropped;
  SendMessageA(form->Drives.Handle(), CB_GETDROPPEDCONTROLRECT, 0,
               reinterpret_cast<LPARAM>(&dropped));
  EXPECT_GE(dropped.bottom - dropped.top, 8 * form->Drives.ItemHeight()) << "room for 8 entries";
  form->Drives.SetDrive('m');
  form->changes.clear();
  SendMessageA(form->Drives.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->changes, "nn");
}

} // namespace
