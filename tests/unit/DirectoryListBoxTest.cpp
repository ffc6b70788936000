// The directory list on a folder tree made for the test, in a small form of
// its own: the chain and its drawing, opening items with real messages,
// failed changes that leave everything as it was, the drive setter.
#include <windows.h>

#include <gtest/gtest.h>

#include "Picture.h"
#include "TempFolder.h"
#include "folders/DirectoryListBox.h"
#include "folders/FolderPlatform.h"
#include "runtime/Application.h"
#include "runtime/Exception.h"
#include "runtime/Form.h"
#include "runtime/Gdi.h"

namespace {

class TListForm : public TForm {
public:
  TListForm()
      : TForm("TDirListForm", {300, 400, RGB(128, 128, 128), TBorderStyle::None, "", true}) {
    List.SetBounds(5, 5, 290, 390);
    List.SetFont({"MS Sans Serif", 11, false, ANSI_CHARSET, RGB(0, 0, 0)});
    List.SetItemHeight(16);
    List.OnChange = [this] { ++changes; };
  }
  TDirectoryListBox List{this};
  int changes = 0;
};

// The platform's file system with volume flags of the test's choosing.
class FlagsSystem : public WinFolderSystem {
public:
  explicit FlagsSystem(DWORD flags) : flags_(flags) {}
  bool VolumeFlags(const std::string &, DWORD &flags) override {
    flags = flags_;
    return true;
  }

private:
  DWORD flags_;
};

// The platform's file system, except that it refuses to enter one folder
// (as named in the change) and, when told, finds other subfolder names.
class ScriptedSystem : public WinFolderSystem {
public:
  std::string refused;
  std::vector<std::string> names; // empty: the folder's own
  int ChangeDirectory(const std::string &path) override {
    if (!refused.empty() && path == refused)
      return ERROR_ACCESS_DENIED;
    return WinFolderSystem::ChangeDirectory(path);
  }
  std::vector<std::string> FolderNames(const std::string &directory) override {
    return names.empty() ? WinFolderSystem::FolderNames(directory) : names;
  }
};

std::string Current() {
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, length);
}

class DirectoryListBoxTest : public ::testing::Test {
protected:
  DirectoryListBoxTest() {
    saved_ = Current();
    // APPS\TOOLS with the subfolders data, Bin and a hidden cache.
    tree.MakeFolder("APPS");
    tools = tree.MakeFolder("APPS\\TOOLS");
    for (const char *name : {"data", "Bin", "cache", "alpha", "Zed"})
      tree.MakeFolder(std::string("APPS\\TOOLS\\") + name);
    SetFileAttributesA(tree.Path("APPS\\TOOLS\\cache").c_str(), FILE_ATTRIBUTE_HIDDEN);
    tree.WriteFile("APPS\\TOOLS\\file.txt", "x");
    SetCurrentDirectoryA(tools.c_str());

    app.Initialize();
    app.SetTitle("Installer");
    app.SetMessageBoxHook([this](const std::string &text, const std::string &, UINT) {
      boxes.push_back(text);
      return IDOK;
    });
  }
  ~DirectoryListBoxTest() override {
    app.DestroyForms();
    SetCurrentDirectoryA(saved_.c_str());
  }

  TDirectoryListBox &ShowList() {
    app.CreateForm(form);
    form->Show();
    app.ProcessMessages();
    return form->List;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int i = 0; i < form->List.ItemCount(); ++i)
      texts.push_back(form->List.ItemText(i));
    return texts;
  }
  int IndexOf(const std::string &text) const {
    for (int i = 0; i < form->List.ItemCount(); ++i)
      if (form->List.ItemText(i) == text)
        return i;
    return -1;
  }
  // A real double-click on the item, as the list box reports it.
  void DoubleClick(int index) {
    HWND list = form->List.Handle();
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT rect;
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    LPARAM at = MAKELPARAM(rect.left + 30, (rect.top + rect.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
  }
  void PressEnter(int index) {
    form->List.SetItemIndex(index);
    SendMessageA(form->List.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  }
  int CurrentIndex() const {
    for (int i = 0; i < form->List.ItemCount(); ++i)
      if (form->List.ItemKind(i) == FolderKind::Current)
        return i;
    return 0;
  }

  TempFolder tree;
  std::string tools;
  TApplication app;
  TListForm *form = nullptr;
  std::vector<std::string> boxes;

private:
  std::string saved_;
};

TEST_F(DirectoryListBoxTest, ChainSubfoldersAndIndents) {
  TDirectoryListBox &list = ShowList();
  EXPECT_EQ(list.Directory(), tools);
  std::vector<std::string> texts = Texts();
  ASSERT_GE(texts.size(), 7u);
  // The chain: the drive's root, each folder down to TOOLS.
  EXPECT_EQ(texts[0], tools.substr(0, 3));
  int current = static_cast<int>(texts.size()) - 5;
  EXPECT_EQ(texts[current], "TOOLS");
  EXPECT_EQ(texts[current - 1], "APPS");
  EXPECT_EQ(list.ItemIndex(), current);
  // Sorted ignoring case; the hidden folder and the file are not listed.
  std::vector<std::string> subfolders(texts.begin() + current + 1, texts.end());
  EXPECT_EQ(subfolders, (std::vector<std::string>{"alpha", "Bin", "data", "Zed"}));

  for (int i = 0; i < current; ++i) {
    EXPECT_EQ(list.ItemKind(i), FolderKind::Ancestor) << i;
    EXPECT_EQ(list.ItemIndent(i), i * 4 + 2) << i;
  }
  EXPECT_EQ(list.ItemKind(current), FolderKind::Current);
  EXPECT_EQ(list.ItemKind(current + 1), FolderKind::Subfolder);
  EXPECT_EQ(list.ItemIndent(current + 1), (current + 1) * 4 + 2);
  EXPECT_EQ(SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
}

TEST_F(DirectoryListBoxTest, PicturesAtTheirIndentWithBlueSeeThrough) {
  TDirectoryListBox &list = ShowList();
  HWND window = list.Handle();
  Picture shown = Picture::OfWindow(window);
  const COLORREF background = GetSysColor(COLOR_WINDOW);
  // Unselected items of each kind: nothing left of the indent, a picture
  // after it, and none of its see-through blue.
  for (int index : {0, CurrentIndex() - 1, IndexOf("Bin")}) {
    RECT rect;
    SendMessageA(window, LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&rect));
    int indent = rect.left + list.ItemIndent(index);
    bool beforeIndent = false, picture = false, blue = false;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < indent + 16; ++x) {
        COLORREF colour = shown.At(x, y);
        if (x < indent)
          beforeIndent |= colour != background;
        else
          picture |= colour != background;
        blue |= colour == RGB(0, 0, 255);
      }
    EXPECT_FALSE(beforeIndent) << index;
    EXPECT_TRUE(picture) << index;
    EXPECT_FALSE(blue) << index;
  }
}

TEST_F(DirectoryListBoxTest, OpeningByDoubleClickAndEnter) {
  TDirectoryListBox &list = ShowList();
  std::string root = tools.substr(0, 3);
  struct Step {
    bool enter;
    std::string item;
    std::string expected;
  };
  const Step steps[] = {
      {false, "Bin", tools + "\\Bin"},
      {true, "TOOLS", tools},
      {true, "data", tools + "\\data"},
      {false, "APPS", tree.Path("APPS")},
      {false, "APPS", tree.Path("APPS")}, // the current item: nothing happens
      {true, "TOOLS", tools},
      {false, root, root},
  };
  int changes = 0;
  for (const Step &step : steps) {
    int index = IndexOf(step.item);
    ASSERT_GE(index, 0) << step.item;
    bool moves = list.Directory() != step.expected;
    if (step.enter)
      PressEnter(index);
    else
      DoubleClick(index);
    changes += moves;
    EXPECT_EQ(list.Directory(), step.expected) << step.item;
    EXPECT_EQ(Current(), step.expected) << step.item;
    EXPECT_EQ(list.ItemIndex(), CurrentIndex()) << step.item;
    EXPECT_EQ(form->changes, changes) << step.item;
  }
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(CurrentIndex(), 0) << "at the root, the root is the current item";
}

TEST_F(DirectoryListBoxTest, FailedChangesLeaveEverythingAsItWas) {
  TDirectoryListBox &list = ShowList();
  std::vector<std::string> texts = Texts();
  int selected = list.ItemIndex();
  struct Failure {
    std::string path;
    int code;            // 0: any code
    std::string refused; // a folder the change may not enter
  };
  std::string deep = tools;
  while (deep.size() < 300)
    deep += "\\abcdefghij";
  const Failure failures[] = {
      {tools + "\\missing", 0, ""},
      {tree.Path("nowhere\\TOOLS"), 0, ""},
      {tools + "\\file.txt\\sub", 0, ""},
      {"Q:\\", 0, ""},
      {deep, 206, ""},
      // The switch to drive z: succeeds, then its folder cannot be entered.
      {"Z:\\tmp", ERROR_ACCESS_DENIED, "\\tmp"},
  };
  for (const Failure &failure : failures) {
    ScriptedSystem fs;
    fs.refused = failure.refused;
    list.SetFolderSystem(&fs);
    try {
      list.SetDirectory(failure.path);
      ADD_FAILURE() << failure.path << " raised nothing";
    } catch (const EInOutError &error) {
      if (failure.code) {
        EXPECT_EQ(error.Code(), failure.code) << failure.path;
      }
    }
    EXPECT_EQ(list.Directory(), tools) << failure.path;
    EXPECT_EQ(Current(), tools) << failure.path;
    EXPECT_EQ(Texts(), texts) << failure.path;
    EXPECT_EQ(list.ItemIndex(), selected) << failure.path;
    list.SetFolderSystem(nullptr);
  }
  EXPECT_EQ(form->changes, 0);

  // A folder deleted under the list, then opened: the report, and no change.
  RemoveDirectoryA((tools + "\\Zed").c_str());
  DoubleClick(IndexOf("Zed"));
  PressEnter(IndexOf("Zed"));
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(list.Directory(), tools);
  EXPECT_EQ(Current(), tools);
  EXPECT_EQ(Texts(), texts);
  EXPECT_EQ(list.ItemIndex(), IndexOf("Zed")) << "Enter left the selection where it was";
  EXPECT_EQ(form->changes, 0);
}

TEST_F(DirectoryListBoxTest, PathsThatMoveOrDoNot) {
  TDirectoryListBox &list = ShowList();
  std::string lower = tools;
  CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
  list.SetDirectory(lower);
  list.SetDirectory("");
  list.SetDrive(static_cast<char>(tolower(tools[0])));
  EXPECT_EQ(form->changes, 0) << "the same folder in other case, no path, the same drive";

  list.SetDirectory(tools + "\\file.txt");
  EXPECT_EQ(list.Directory(), tools) << "a file's path stays in its folder";
  list.SetDirectory(tools + "\\*.*");
  EXPECT_EQ(list.Directory(), tools);

  list.SetDirectory("..\\TOOLS\\Bin");
  EXPECT_EQ(list.Directory(), tools + "\\Bin");
  EXPECT_EQ(Current(), tools + "\\Bin");
}

TEST_F(DirectoryListBoxTest, DriveSetterMovesToTheDrivesFolder) {
  TDirectoryListBox &list = ShowList();
  list.SetDrive('z');
  EXPECT_EQ(toupper(list.Drive()), 'Z');
  EXPECT_EQ(Current(), list.Directory());
  EXPECT_EQ(form->changes, 1);
  EXPECT_EQ(list.ItemIndex(), CurrentIndex());

  std::string before = list.Directory();
  EXPECT_THROW(list.SetDrive('q'), EInOutError);
  EXPECT_EQ(list.Directory(), before);
  EXPECT_EQ(Current(), before);

  list.SetDirectory(tools);
  EXPECT_EQ(Current(), tools);
  EXPECT_EQ(form->changes, 2);
}

TEST_F(DirectoryListBoxTest, CaseFlagsOfTheVolume) {
  struct FlagsCase {
    DWORD flags;
    bool lowerText;
    bool sameInOtherCase;
  };
  const FlagsCase cases[] = {
      {0, true, true},
      {FS_CASE_IS_PRESERVED, false, true},
      {FS_CASE_IS_PRESERVED | FS_CASE_SENSITIVE, false, false},
  };
  TDirectoryListBox &list = ShowList();
  std::string upper = tools;
  CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
  for (const FlagsCase &c : cases) {
    FlagsSystem fs(c.flags);
    list.SetFolderSystem(&fs);
    list.SetDirectory(tools);
    list.RebuildList();
    int bin = IndexOf("Bin");
    EXPECT_EQ(list.DisplayText(bin), c.lowerText ? "bin" : "Bin") << c.flags;
    int before = form->changes;
    list.SetDirectory(upper);
    EXPECT_EQ(form->changes == before, c.sameInOtherCase) << c.flags;
    list.SetFolderSystem(nullptr);
  }
}

// A case-sensitive folder can hold names that differ only in case: the list
// shows the first one found of each.
TEST_F(DirectoryListBoxTest, NamesEqualButForCaseShowOnce) {
  struct Listing {
    std::vector<std::string> found, shown;
  };
  const Listing listings[] = {
      {{"Data", "data"}, {"Data"}},
      {{"data", "Bin", "DATA", "Data"}, {"Bin", "data"}},
      {{"b", "A", "a", "B", "c"}, {"A", "b", "c"}},
  };
  TDirectoryListBox &list = ShowList();
  for (const Listing &listing : listings) {
    ScriptedSystem fs;
    fs.names = listing.found;
    list.SetFolderSystem(&fs);
    list.RebuildList();
    std::vector<std::string> texts = Texts();
    std::vector<std::string> subfolders(texts.begin() + CurrentIndex() + 1, texts.end());
    EXPECT_EQ(subfolders, listing.shown) << listing.found.front();
    list.SetFolderSystem(nullptr);
  }
}

TEST_F(DirectoryListBoxTest, AHiddenListNeverShownListsNothing) {
  app.CreateForm(form);
  form->List.SetVisible(false);
  form->Show();
  // No window at the form's showing either: one is made when needed.
  EXPECT_FALSE(form->List.HandleAllocated());
  EXPECT_EQ(form->List.ItemCount(), 0);
  EXPECT_EQ(SendMessageA(form->List.Handle(), LB_GETCOUNT, 0, 0), 0);
  form->List.SetVisible(true);
  EXPECT_EQ(form->List.ItemText(CurrentIndex()), "TOOLS");
  EXPECT_EQ(SendMessageA(form->List.Handle(), LB_GETCOUNT, 0, 0), form->List.ItemCount());
}

} // namespace
