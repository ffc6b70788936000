#include "runtime/ProgressBar.h"

#include <commctrl.h>

#include "runtime/Exception.h"
#include "runtime/LibraryFunction.h"
#include "runtime/WindowClass.h"

namespace {
const char kProgressClass[] = "msctls_progress32";
// Our superclass of the platform control: its style without
// CS_HREDRAW/CS_VREDRAW, so resizing does not repaint the whole bar.
const char kWrapperClass[] = "TProgressBar";

void InitProgressClass() {
  static bool done = false;
  if (done)
    return;
  done = true;
  HMODULE comctl = SystemLibrary("comctl32.dll");
  using InitEx = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
  auto init = LibraryFunction<InitEx>(comctl, "InitCommonControlsEx");
  INITCOMMONCONTROLSEX icc{8, ICC_PROGRESS_CLASS};
  // Without the library the dialog has no bar; the rest works.
  if (init)
    init(&icc);
}

void RegisterWrapperClass() {
  WNDCLASSA wc;
  if (!GetClassInfoA(nullptr, kProgressClass, &wc))
    return;
  wc.style &= ~(CS_HREDRAW | CS_VREDRAW);
  wc.lpszClassName = kWrapperClass;
  RegisterWindowClass(wc);
}
} // namespace

TProgressBar::TProgressBar(TForm *owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, GetSystemMetrics(SM_CYVSCROLL));
}

void TProgressBar::GetCreateParams(CreateParams &params) {
  InitProgressClass();
  RegisterWrapperClass();
  params.className = kWrapperClass;
}

void TProgressBar::HandleCreated() {
  HWND window = Handle();
  SendMessageA(window, PBM_SETRANGE32, min_, max_);
  SendMessageA(window, PBM_SETSTEP, step_, 0);
  SendMessageA(window, PBM_SETPOS, position_, 0);
}

int TProgressBar::Min() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0)) : min_;
}

int TProgressBar::Max() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0))
                           : max_;
}

int TProgressBar::Position() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetMin(int value) {
  SetRange(value, max_);
}

void TProgressBar::SetMax(int value) {
  SetRange(min_, value);
}

void TProgressBar::SetRange(int low, int high) {
  if (high < low)
    throw EInvalidOperation("TProgressBar property out of range");
  if (low == min_ && high == max_)
    return;
  if (HandleAllocated()) {
    SendMessageA(Handle(), PBM_SETRANGE32, low, high);
    if (low < min_)
      SendMessageA(Handle(), PBM_SETPOS, low, 0);
  }
  min_ = low;
  max_ = high;
}

void TProgressBar::SetStep(int value) {
  if (value == step_)
    return;
  step_ = value;
  if (HandleAllocated())
    SendMessageA(Handle(), PBM_SETSTEP, step_, 0);
}

void TProgressBar::SetPosition(int value) {
  if (HandleAllocated())
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
  else
    position_ = value;
}
