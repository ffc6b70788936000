#include "folders/DirectoryListBox.h"

#include <vector>

#include "folders/DriveComboBox.h"

namespace {
std::string CurrentDirectory() {
  DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::vector<char> buffer(size + 1);
  DWORD length = GetCurrentDirectoryA(size + 1, buffer.data());
  return std::string(buffer.data(), length);
}
} // namespace

TDirectoryListBox::TDirectoryListBox(TForm *owner)
    : TWinControl(owner), directory_(CurrentDirectory()) {
  SetBounds(0, 0, 145, 97);
}

TDirectoryListBox::~TDirectoryListBox() {
  if (driveList_)
    driveList_->SetDirList(nullptr);
}

// Being built: the rest of the list's behaviour.
void TDirectoryListBox::SetDirectory(const std::string &) {}
char TDirectoryListBox::Drive() const {
  return directory_.empty() ? 0 : directory_[0];
}
void TDirectoryListBox::SetDrive(char) {}
void TDirectoryListBox::DriveSwitch(char) {}
void TDirectoryListBox::RebuildList() {}
std::string TDirectoryListBox::ItemPath(int) const {
  return {};
}
void TDirectoryListBox::OpenSelected() {}
void TDirectoryListBox::SetItemHeight(int height) {
  itemHeight_ = height;
}
int TDirectoryListBox::ItemCount() const {
  return 0;
}
std::string TDirectoryListBox::ItemText(int) const {
  return {};
}
int TDirectoryListBox::ItemIndex() const {
  return -1;
}
void TDirectoryListBox::SetItemIndex(int) {}

void TDirectoryListBox::GetCreateParams(CreateParams &params) {
  params.className = "LISTBOX";
  params.style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.exStyle = WS_EX_CLIENTEDGE;
}
