#include "runtime/Edit.h"

#include <vector>

std::string TEdit::Text() const {
  if (!HandleAllocated())
    return text_;
  HWND window = const_cast<TEdit *>(this)->Handle();
  int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data());
}

void TEdit::SetText(const std::string &text) {
  text_ = text;
  if (HandleAllocated())
    SetWindowTextA(Handle(), text.c_str());
}

void TEdit::GetCreateParams(CreateParams &params) {
  params.className = "EDIT";
  params.style = WS_TABSTOP | ES_AUTOHSCROLL;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.text = text_;
}
