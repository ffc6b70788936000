#include "folders/DirectoryListBox.h"

#include <vector>

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

void TDirectoryListBox::GetCreateParams(CreateParams &params) {
  params.className = "LISTBOX";
  params.style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  params.exStyle = WS_EX_CLIENTEDGE;
}
