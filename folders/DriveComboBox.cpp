#include "folders/DriveComboBox.h"

#include <vector>

#include "folders/DirectoryListBox.h"
#include "folders/DriveSystem.h"
#include "folders/FileNameCase.h"
#include "folders/FolderPlatform.h"
#include "runtime/Form.h"

namespace {
// Entries the dropped list shows without scrolling.
const int kDropDownCount = 8;
// Text starts this far right of the picture.
const int kTextGap = 6;
// Room for the picture when an entry has none.
const int kNoPictureWidth = 16;

char UpperLetter(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
} // namespace

TDriveComboBox::TDriveComboBox(TForm *owner)
    : TOwnerDrawList(owner), system_(&TDriveSystem::Platform()) {
  ResetItemHeight();
  std::string current; // left empty when it cannot be read
  ReadCurrentDirectory(current);
  // A network path (\\server\share) has no drive letter.
  drive_ = current.empty() || current[0] == '\\' ? 0 : current[0];
}

TDriveComboBox::~TDriveComboBox() {
  if (dirList_)
    dirList_->SetDriveList(nullptr);
}

void TDriveComboBox::SetDrive(char drive) {
  // Before the window exists the drive is only kept: the window selects it
  // and raises OnChange when it is made.
  if (!HandleAllocated()) {
    drive_ = textCase_ == tcUpperCase ? UpperLetter(drive) : LowerLetter(drive);
    return;
  }
  if (ItemIndex() >= 0 && UpperLetter(drive) == UpperLetter(drive_))
    return;
  if (drive == 0) {
    drive_ = 0;
    if (HandleAllocated())
      SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  } else {
    drive_ = textCase_ == tcUpperCase ? UpperLetter(drive) : LowerLetter(drive);
    for (int i = 0, count = ItemCount(); i < count; ++i) {
      std::string text = ItemText(i);
      if (text.size() >= 2 && UpperLetter(text[0]) == UpperLetter(drive_) && text[1] == ':') {
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        break;
      }
    }
  }
  if (dirList_)
    dirList_->DriveSwitch(drive_);
  Change();
}

void TDriveComboBox::SetTextCase(TTextCase textCase) {
  textCase_ = textCase;
  if (HandleAllocated())
    BuildList();
  // No entry is selected now, so this stores the letter in the new case.
  SetDrive(drive_);
}

void TDriveComboBox::SetDriveSystem(TDriveSystem *system) {
  system_ = system ? system : &TDriveSystem::Platform();
}

void TDriveComboBox::SetDirList(TDirectoryListBox *dirList) {
  if (dirList_)
    dirList_->SetDriveList(nullptr);
  dirList_ = dirList;
  if (dirList_)
    dirList_->SetDriveList(this);
}

LRESULT TDriveComboBox::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(const_cast<TDriveComboBox *>(this)->Handle(), message, wParam, lParam);
}

int TDriveComboBox::ItemCount() const {
  if (!HandleAllocated())
    return 0;
  return static_cast<int>(Send(CB_GETCOUNT, 0, 0));
}

std::string TDriveComboBox::ItemText(int index) const {
  if (!HandleAllocated() || index < 0 || index >= ItemCount())
    return {};
  LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0)
    return {};
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  length = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

int TDriveComboBox::ItemIndex() const {
  if (!HandleAllocated())
    return -1;
  return static_cast<int>(Send(CB_GETCURSEL, 0, 0));
}

const TListPicture *TDriveComboBox::ItemPicture(int index) const {
  if (!HandleAllocated() || index < 0 || index >= ItemCount())
    return nullptr;
  LRESULT data = Send(CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<const TListPicture *>(data);
}

const TListPicture *TDriveComboBox::PictureFor(UINT driveType) const {
  switch (driveType) {
  case DRIVE_REMOVABLE:
    return &floppy_;
  case DRIVE_FIXED:
    return &hard_;
  case DRIVE_REMOTE:
    return &network_;
  case DRIVE_CDROM:
    return &cdrom_;
  case DRIVE_RAMDISK:
    return &ram_;
  default:
    return nullptr; // unknown kinds and roots that do not exist are not listed
  }
}

std::string TDriveComboBox::VolumeLabel(const char *root, bool lower) {
  char name[MAX_PATH + 1] = "";
  {
    TCriticalErrorsOff quiet(*system_);
    // A drive that is not ready still gets its entry, with an empty label.
    if (!system_->VolumeName(root, name, sizeof name))
      name[0] = '\0';
  }
  name[MAX_PATH] = '\0';
  return "[" + FileNameCase(name, lower, *system_) + "]";
}

std::string TDriveComboBox::NetworkName(char letter, const char *root, bool lower) {
  const char local[] = {UpperLetter(letter), ':', '\0'};
  char remote[MAX_PATH + 1] = "";
  DWORD size = sizeof remote;
  if (system_->NetConnection(local, remote, &size) != NO_ERROR)
    return VolumeLabel(root, lower);
  remote[MAX_PATH] = '\0';
  return FileNameCase(remote, lower, *system_);
}

void TDriveComboBox::BuildList() {
  HWND window = Handle();
  SendMessageA(window, CB_RESETCONTENT, 0, 0);
  DWORD drives = system_->LogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i)))
      continue;
    char letter = static_cast<char>('a' + i);
    const char lowerRoot[] = {letter, ':', '\\', '\0'};
    UINT kind = system_->DriveType(lowerRoot);
    const TListPicture *picture = PictureFor(kind);
    if (!picture)
      continue;
    if (textCase_ == tcUpperCase)
      letter = UpperLetter(letter);
    const char root[] = {letter, ':', '\\', '\0'};
    bool lower = letter >= 'a';
    std::string text{letter, ':'};
    // A removable drive is never touched: no delay, no prompt for a medium.
    if (kind == DRIVE_REMOTE)
      text += " " + NetworkName(letter, root, lower);
    else if (kind != DRIVE_REMOVABLE)
      text += " " + VolumeLabel(root, lower);
    LRESULT index = SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0)
      SendMessageA(window, CB_SETITEMDATA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(picture));
  }
}

void TDriveComboBox::Click() {
  int index = ItemIndex();
  if (index >= 0)
    SetDrive(ItemText(index)[0]);
}

void TDriveComboBox::Change() {
  if (OnChange)
    OnChange();
}

void TDriveComboBox::ResetItemHeight() {
  WindowDC screen(nullptr);
  HGDIOBJ font = FontHandle() ? static_cast<HGDIOBJ>(FontHandle()) : GetStockObject(SYSTEM_FONT);
  Selection select(screen.Get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  itemHeight_ = metrics.tmHeight;
  if (floppy_.Height() > itemHeight_)
    itemHeight_ = floppy_.Height();
}

// The closed box and the dropped list both take the item height; the
// window's own height also holds the dropped list.
void TDriveComboBox::ApplyItemHeight() {
  HWND window = Handle();
  SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
  SendMessageA(window, CB_SETITEMHEIGHT, 0, itemHeight_);
  SetWindowPos(window, nullptr, 0, 0, Width(), Height() + kDropDownCount * itemHeight_ + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDriveComboBox::SetBounds(int left, int top, int width, int height) {
  TOwnerDrawList::SetBounds(left, top, width, height);
  if (HandleAllocated())
    ApplyItemHeight();
}

void TDriveComboBox::FontChanged() {
  ResetItemHeight();
  if (!HandleAllocated())
    return;
  // As a new window would: new height, entries read again, drive selected.
  ApplyItemHeight();
  BuildList();
  SetDrive(drive_);
}

void TDriveComboBox::HandleCreated() {
  ApplyItemHeight();
  BuildList();
  // No entry is selected yet, so this always selects and raises OnChange.
  SetDrive(drive_);
}

bool TDriveComboBox::ItemNotification(UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
  switch (message) {
  case WM_COMMAND:
    if (HIWORD(wParam) == CBN_DROPDOWN || HIWORD(wParam) == CBN_KILLFOCUS)
      listDropped_ = HIWORD(wParam) == CBN_DROPDOWN;
    if (HIWORD(wParam) != CBN_SELCHANGE)
      return false;
    // The click step raises OnChange when the drive differs; the pick
    // itself always does.
    Click();
    Change();
    *result = 0;
    return true;
  default:
    return false;
  }
}

void TDriveComboBox::DrawItem(const DRAWITEMSTRUCT &item) {
  HDC dc = item.hDC;
  SavedDC saved(dc);
  if (FontHandle())
    SelectObject(dc, FontHandle());
  // A box that took the focus as its window was shown shows it only once it
  // is used: by a key (the form's focus cues) or the pointer (its list
  // dropped down). Until then a pointer user sees the window as before.
  const bool quietFocus = (item.itemState & ODS_COMBOBOXEDIT) && !listDropped_ &&
                          !(Owner() && Owner()->Keyboard().CuesShown());
  const bool selected = (item.itemState & ODS_SELECTED) && !quietFocus;
  SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT area = item.rcItem;
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  int index = static_cast<int>(item.itemID);
  if (index >= 0) {
    const TListPicture *picture = ItemPicture(index);
    int pictureWidth = kNoPictureWidth;
    if (picture && picture->Loaded()) {
      picture->Draw(dc, area.left + 2, (area.top + area.bottom - picture->Height()) / 2);
      pictureWidth = picture->Width();
    }
    RECT textArea = area;
    textArea.left += pictureWidth + kTextGap;
    std::string text = ItemText(index);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) && !quietFocus)
    DrawFocusRect(dc, &area);
}

void TDriveComboBox::GetCreateParams(CreateParams &params) {
  params.className = "COMBOBOX";
  params.style = WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}
