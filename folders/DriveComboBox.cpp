#include "folders/DriveComboBox.h"

#include "folders/DirectoryListBox.h"

TDriveComboBox::TDriveComboBox(TForm *owner) : TWinControl(owner) {}

TDriveComboBox::~TDriveComboBox() {
  if (dirList_)
    dirList_->SetDriveList(nullptr);
}

// Being built: the rest of the list's behaviour.
void TDriveComboBox::SetDrive(char drive) {
  drive_ = drive;
}
void TDriveComboBox::SetTextCase(TTextCase textCase) {
  textCase_ = textCase;
}
void TDriveComboBox::SetDirList(TDirectoryListBox *dirList) {
  if (dirList_)
    dirList_->SetDriveList(nullptr);
  dirList_ = dirList;
  if (dirList_)
    dirList_->SetDriveList(this);
}
int TDriveComboBox::ItemCount() const {
  return 0;
}
std::string TDriveComboBox::ItemText(int) const {
  return {};
}
int TDriveComboBox::ItemIndex() const {
  return -1;
}

void TDriveComboBox::GetCreateParams(CreateParams &params) {
  params.className = "COMBOBOX";
  params.style = WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST;
}
