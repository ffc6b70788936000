#include "folders/DirectoryListBox.h"

#include <algorithm>
#include <cctype>

#include "folders/DriveComboBox.h"
#include "folders/FileNameCase.h"
#include "folders/FolderPlatform.h"
#include "runtime/Application.h"
#include "runtime/IoResult.h"

namespace {
[[noreturn]] void RaiseIoError(int code) {
  SetIoResult(code);
  IoCheck();
  throw EInOutError("I/O error", code); // not reached: the check raises
}

void Check(int code) {
  if (code != 0)
    RaiseIoError(code);
}

bool SameDrive(char a, char b) {
  return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

// Clears the switching flag however the change ends.
class SwitchingScope {
public:
  explicit SwitchingScope(bool &flag) : flag_(flag) { flag_ = true; }
  ~SwitchingScope() { flag_ = false; }
  SwitchingScope(const SwitchingScope &) = delete;
  SwitchingScope &operator=(const SwitchingScope &) = delete;

private:
  bool &flag_;
};
} // namespace

TDirectoryListBox::TDirectoryListBox(TForm *owner)
    : TOwnerDrawList(owner), fs_(&WinFolderSystem::Platform()) {
  SetBounds(0, 0, 145, 97);
  // A current directory that does not fit the buffer leaves it empty.
  fs_->CurrentDirectory(directory_);
  itemHeight_ = FontItemHeight();
}

TDirectoryListBox::~TDirectoryListBox() {
  if (driveList_)
    driveList_->SetDirList(nullptr);
}

void TDirectoryListBox::SetFolderSystem(WinFolderSystem *fs) {
  fs_ = fs ? fs : &WinFolderSystem::Platform();
}

char TDirectoryListBox::Drive() const {
  return directory_.empty() ? 0 : directory_[0];
}

bool TDirectoryListBox::SameFolder(const std::string &path) const {
  std::string a = path, b = directory_;
  if (!caseSensitive_) {
    a = FileNameCase(a, true, *fs_);
    b = FileNameCase(b, true, *fs_);
  }
  return CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

void TDirectoryListBox::SetDirectory(const std::string &path) {
  if (path.empty() || SameFolder(path))
    return;
  if (!FitsPathBuffer(path))
    RaiseIoError(kPathTooLong);
  SplitResult split = SplitPath(path, *fs_);
  Check(split.error);

  // A failure past this point puts the folder and the current directory
  // back, so a failed change leaves nothing changed.
  const std::string savedDirectory = directory_;
  std::string savedCurrent;
  Check(fs_->CurrentDirectory(savedCurrent));
  try {
    if (split.drive != Drive()) {
      SwitchingScope switching(switching_);
      if (driveList_)
        driveList_->SetDrive(split.drive);
      else
        DriveSwitch(split.drive);
    }
    fs_->ChangeDirectory(directory_); // a failure here is of no account
    Check(fs_->ChangeDirectory(split.folder));
    std::string entered;
    Check(fs_->CurrentDirectory(entered));
    directory_ = entered;
  } catch (...) {
    directory_ = savedDirectory;
    fs_->ChangeDirectory(savedCurrent);
    throw;
  }
  RebuildList();
  Notify();
}

void TDirectoryListBox::SetDrive(char drive) {
  if (SameDrive(drive, Drive()))
    return;
  SetDirectory(std::string(1, drive) + ":");
}

void TDirectoryListBox::DriveSwitch(char drive) {
  if (SameDrive(drive, Drive()))
    return;
  if (drive != 0) {
    std::string saved;
    Check(fs_->CurrentDirectory(saved));
    Check(fs_->ChangeDirectory(std::string(1, drive) + ":"));
    std::string entered;
    if (int code = fs_->CurrentDirectory(entered)) {
      fs_->ChangeDirectory(saved);
      RaiseIoError(code);
    }
    directory_ = entered;
  }
  if (!switching_) {
    RebuildList();
    Notify();
  }
}

void TDirectoryListBox::Notify() {
  if (OnChange)
    OnChange();
}

void TDirectoryListBox::RebuildList() {
  DWORD flags = 0;
  if (!fs_->VolumeFlags(DrivePart(directory_) + "\\", flags))
    flags = 0; // unknown: neither preserving nor sensitive
  casePreserving_ = (flags & (FS_CASE_IS_PRESERVED | FS_CASE_SENSITIVE)) != 0;
  caseSensitive_ = (flags & FS_CASE_SENSITIVE) != 0;

  items_ = FolderChain(directory_, *fs_);
  int current = static_cast<int>(items_.size()) - 1;
  for (std::string &name : fs_->Subfolders(directory_))
    items_.push_back({std::move(name), FolderKind::Subfolder});
  if (HandleAllocated())
    FillWindow(current);
}

void TDirectoryListBox::FillWindow(int selected) {
  HWND window = Handle();
  // Redraw stays off while thousands of items go in; a hidden window is left
  // alone, as turning redraw on would show it.
  bool shown = IsWindowVisible(window) != FALSE;
  if (shown)
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
  SendMessageA(window, LB_RESETCONTENT, 0, 0);
  size_t bytes = 0;
  for (const FolderItem &item : items_)
    bytes += item.text.size() + 1;
  SendMessageA(window, LB_INITSTORAGE, items_.size(), bytes);
  for (const FolderItem &item : items_)
    SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  if (shown) {
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
  }
  listed_ = true;
}

std::string TDirectoryListBox::ItemPath(int index) const {
  return ::ItemPath(directory_, items_, index, *fs_);
}

void TDirectoryListBox::OpenSelected() {
  int index = ItemIndex();
  if (index >= 0)
    SetDirectory(ItemPath(index));
}

int TDirectoryListBox::FontItemHeight() const {
  WindowDC screen(nullptr);
  SavedDC saved(screen.Get());
  SelectObject(screen.Get(),
               FontHandle() ? static_cast<HGDIOBJ>(FontHandle()) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  return std::max<int>(metrics.tmHeight, openFolder_.Height() + 1);
}

void TDirectoryListBox::SetFont(const TFontDesign &font) {
  TOwnerDrawList::SetFont(font);
  SetItemHeight(FontItemHeight());
}

void TDirectoryListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  if (HandleAllocated()) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

int TDirectoryListBox::ItemCount() const {
  return static_cast<int>(items_.size());
}

std::string TDirectoryListBox::ItemText(int index) const {
  if (index < 0 || index >= ItemCount())
    return {};
  return items_[static_cast<size_t>(index)].text;
}

FolderKind TDirectoryListBox::ItemKind(int index) const {
  return items_.at(static_cast<size_t>(index)).kind;
}

int TDirectoryListBox::ItemIndent(int index) const {
  if (ItemKind(index) == FolderKind::Subfolder)
    return (PathDepth(directory_, *fs_) + 1) * 4 + 2;
  return index * 4 + 2;
}

std::string TDirectoryListBox::DisplayText(int index) const {
  std::string text = ItemText(index);
  return casePreserving_ ? text : FileNameCase(text, true, *fs_);
}

int TDirectoryListBox::ItemIndex() const {
  if (!HandleAllocated())
    return -1;
  LRESULT index = SendMessageA(const_cast<TDirectoryListBox *>(this)->Handle(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TDirectoryListBox::SetItemIndex(int index) {
  if (HandleAllocated())
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDirectoryListBox::SetVisible(bool visible) {
  TOwnerDrawList::SetVisible(visible);
  if (visible && HandleAllocated() && !listed_)
    RebuildList();
}

void TDirectoryListBox::GetCreateParams(CreateParams &params) {
  params.className = "LISTBOX";
  // Keyboard input goes to the form as WM_VKEYTOITEM, which is how Enter
  // reaches the list outside a dialog.
  params.style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                 LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT;
  params.exStyle = WS_EX_CLIENTEDGE;
}

void TDirectoryListBox::HandleCreated() {
  listed_ = false;
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
  // A hidden list (the splash window's) never lists its folder; a shown
  // one does when it is first made visible.
  if (Visible())
    RebuildList();
}

const TListPicture &TDirectoryListBox::Picture(FolderKind kind) const {
  switch (kind) {
  case FolderKind::Ancestor:
    return openFolder_;
  case FolderKind::Current:
    return currentFolder_;
  default:
    return closedFolder_;
  }
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT &item) {
  int index = static_cast<int>(item.itemID);
  if (item.itemID == static_cast<UINT>(-1) || index >= ItemCount())
    return;
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  Brush background(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  FillRect(dc, &rect, background.Get());

  const TListPicture &picture = Picture(ItemKind(index));
  int indent = ItemIndent(index);
  picture.Draw(dc, rect.left + indent, (rect.top + rect.bottom - picture.Height()) / 2);
  int pictureWidth = picture.Loaded() ? picture.Width() : 16;

  SavedDC saved(dc);
  if (FontHandle())
    SelectObject(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  std::string text = DisplayText(index);
  TextOutA(dc, rect.left + pictureWidth + indent + 4, rect.top, text.c_str(),
           static_cast<int>(text.size()));
  if (item.itemState & ODS_FOCUS)
    DrawFocusRect(dc, &rect);
}

bool TDirectoryListBox::ItemNotification(UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
  switch (message) {
  case WM_COMMAND:
    if (HIWORD(wParam) != LBN_DBLCLK)
      return false;
    OpenSelected();
    *result = 0;
    return true;
  case WM_VKEYTOITEM:
    if (LOWORD(wParam) != VK_RETURN) {
      *result = -1; // the list box's own handling
      return true;
    }
    // Reported here: an exception would leave the list box a result that
    // moves the selection.
    try {
      OpenSelected();
    } catch (...) {
      Application->HandleCurrentException();
    }
    *result = -2; // handled
    return true;
  default:
    return false;
  }
}
