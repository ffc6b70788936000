#include "runtime/Form.h"

#include <windowsx.h>

#include <algorithm>

#include "runtime/Application.h"
#include "runtime/Gdi.h"
#include "runtime/PaintMessages.h"
#include "runtime/SystemEntry.h"
#include "runtime/WindowClass.h"

namespace {
DWORD StyleFor(TBorderStyle border) {
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (border == TBorderStyle::ToolWindow)
    style |= WS_CAPTION | WS_SYSMENU;
  return style;
}

DWORD ExStyleFor(TBorderStyle border) {
  return border == TBorderStyle::ToolWindow ? WS_EX_TOOLWINDOW : 0;
}
} // namespace

TForm::TForm(const char *className, const TFormDesign &design)
    : className_(className), caption_(design.caption), color_(design.color), border_(design.border),
      screenCenter_(design.screenCenter), clientWidth_(design.clientWidth),
      clientHeight_(design.clientHeight) {
  RECT outer{0, 0, clientWidth_, clientHeight_};
  AdjustWindowRectEx(&outer, StyleFor(border_), FALSE, ExStyleFor(border_));
  width_ = outer.right - outer.left;
  height_ = outer.bottom - outer.top;
}

TForm::~TForm() {
  if (handle_) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void TForm::Insert(TControl *control) {
  controls_.push_back(control);
}

void TForm::Remove(TControl *control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  if (mouseControl_ == control)
    mouseControl_ = nullptr;
}

void TForm::SendToBack(TControl *control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it != controls_.end())
    std::rotate(controls_.begin(), it, it + 1);
}

TWinControl *TForm::ControlById(int id) const {
  for (TControl *control : controls_)
    if (control->IsWindowed() && static_cast<TWinControl *>(control)->ControlId() == id)
      return static_cast<TWinControl *>(control);
  return nullptr;
}

HWND TForm::Handle() {
  if (!handle_)
    CreateHandle();
  return handle_;
}

void TForm::CreateHandle() {
  if (handle_)
    return;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(className_, WindowProc, IDC_ARROW, true);
  HWND owner = Application ? Application->Handle() : nullptr;
  CreateWindowExA(ExStyleFor(border_), className_, caption_.c_str(), StyleFor(border_), left_, top_,
                  width_, height_, owner, nullptr, instance, this);
}

void TForm::CreateChildHandles() {
  // Hidden ones (the splash window's folder list and name box) wait until
  // they are shown or needed: the first window of a platform control class
  // can load a library (the common controls) that the first picture does
  // not need.
  for (TControl *control : controls_)
    if (control->IsWindowed() && control->Visible())
      static_cast<TWinControl *>(control)->Handle();
}

void TForm::LoadedControls() {
  // Copy: a control's end-of-load step must not disturb the iteration.
  std::vector<TControl *> controls = controls_;
  for (TControl *control : controls)
    control->Loaded();
}

void TForm::DoCreate() {
  GuardedEntry([this] { FormCreate(); });
}

TForm::TOpener TForm::running_;

void TForm::Click(TGraphicControl &control) {
  struct Running {
    TOpener outer = running_;
    ~Running() { running_ = outer; }
  } scope;
  running_ = {this, &control};
  control.OnClick();
}

void TForm::SetVisible(bool visible) {
  if (visible) {
    HWND window = Handle();
    bool wasHidden = !visible_;
    // Shown back by the dialog one of its commands opened, as that dialog
    // goes, the form starts at that command and keeps its own opener.
    // Shown otherwise, it starts at its first entry, opened by the click
    // that runs now (if any).
    const TGraphicControl *back = nullptr;
    if (wasHidden) {
      TForm *by = running_.form;
      if (by && by != this && by->opener_.form == this)
        back = by->opener_.control;
      else
        opener_ = by != this ? running_ : TOpener{};
      // Before the showing activates the form: its focus must not go back
      // to where it was when the form was hidden.
      keyboard_.TakeFocusAt(back);
    }
    if (!shownOnce_) {
      shownOnce_ = true;
      if (screenCenter_) {
        left_ = (GetSystemMetrics(SM_CXSCREEN) - width_) / 2;
        top_ = (GetSystemMetrics(SM_CYSCREEN) - height_) / 2;
        SetWindowPos(window, nullptr, left_, top_, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    visible_ = true;
    ShowWindow(window, SW_SHOWNORMAL);
    // Shown windowed children get their windows on the first showing.
    CreateChildHandles();
    if (wasHidden) {
      // Again, now that the children exist.
      keyboard_.TakeFocusAt(back);
      if (GetFocus() == window)
        keyboard_.FormFocused();
    }
  } else {
    keyboard_.SaveFocus();
    // An opener still on screen takes the keyboard back at the command that
    // opened this form, unless a command of its own holds it already.
    TForm *opener = opener_.form;
    if (visible_ && opener && opener->visible_ && !opener->keyboard_.FocusedCommand())
      opener->keyboard_.TakeFocusAt(opener_.control);
    visible_ = false;
    if (handle_)
      ShowWindow(handle_, SW_HIDE);
  }
}

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::BringToFront() {
  if (handle_)
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  if (handle_ && IsWindowEnabled(handle_))
    SetForegroundWindow(handle_);
}

bool TForm::Enabled() const {
  return handle_ ? IsWindowEnabled(handle_) != FALSE : true;
}

void TForm::SetEnabled(bool enabled) {
  EnableWindow(Handle(), enabled);
  // A form enabled again after the active one went away takes the keyboard
  // back, rather than leaving it with no window or the application's.
  HWND active = GetActiveWindow();
  if (enabled && visible_ && (!active || (Application && active == Application->Handle())))
    SetActiveWindow(handle_);
}

void TForm::Close() {
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else
    Hide();
}

void TForm::SetCaption(const std::string &caption) {
  caption_ = caption;
  if (handle_)
    SetWindowTextA(handle_, caption_.c_str());
}

void TForm::SetTop(int top) {
  top_ = top;
  if (handle_)
    SetWindowPos(handle_, nullptr, left_, top_, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetHeight(int height) {
  height_ = height;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, StyleFor(border_), FALSE, ExStyleFor(border_));
  clientHeight_ = height_ - (frame.bottom - frame.top);
  if (handle_)
    SetWindowPos(handle_, nullptr, 0, 0, width_, height_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::InvalidateArea(const RECT &area) {
  if (handle_)
    InvalidateRect(handle_, &area, FALSE);
}

void TForm::UpdateArea(const RECT &area) {
  if (!handle_)
    return;
  InvalidateRect(handle_, &area, FALSE);
  UpdateWindow(handle_);
}

void TForm::Repaint() {
  if (!handle_)
    return;
  InvalidateRect(handle_, nullptr, FALSE);
  UpdateWindow(handle_);
}

void TForm::PaintTo(HDC dc, const RECT &area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return;
  // Everything goes to an off-screen bitmap first and reaches the screen in
  // one copy, so a label changing colour never flickers.
  MemoryDC memory(dc);
  Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  Selection selectBitmap(memory.Get(), bitmap.Get());
  SetWindowOrgEx(memory.Get(), area.left, area.top, nullptr);
  Brush background(CreateSolidBrush(color_));
  FillRect(memory.Get(), &area, background.Get());
  for (TControl *control : controls_) {
    if (control->IsWindowed() || !control->Visible())
      continue;
    RECT bounds = control->BoundsRect(), overlap;
    if (!IntersectRect(&overlap, &bounds, &area))
      continue;
    SavedDC saved(memory.Get());
    IntersectClipRect(memory.Get(), bounds.left, bounds.top, bounds.right, bounds.bottom);
    static_cast<TGraphicControl *>(control)->Paint(memory.Get());
  }
  RECT frame;
  if (keyboard_.FocusFrame(&frame))
    DrawFocusRect(memory.Get(), &frame);
  SetWindowOrgEx(memory.Get(), 0, 0, nullptr);
  BitBlt(dc, area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

TGraphicControl *TForm::ControlAt(int x, int y) const {
  POINT point{x, y};
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl *control = *it;
    if (control->IsWindowed() || !control->Visible() || !control->Enabled())
      continue;
    RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, point))
      return static_cast<TGraphicControl *>(control);
  }
  return nullptr;
}

void TForm::MouseMove(int x, int y) {
  TGraphicControl *target = mouseControl_ ? mouseControl_ : ControlAt(x, y);
  if (target && target->OnMouseMove)
    target->OnMouseMove({TMouseButton::Left, x - target->Left(), y - target->Top()});
}

void TForm::MouseDown(TMouseButton button, int x, int y) {
  TGraphicControl *target = ControlAt(x, y);
  if (!target)
    return;
  // The form holds the capture until the button is released, so a click is a
  // press and release over the same control.
  SetCapture(handle_);
  mouseControl_ = target;
  if (button == TMouseButton::Left)
    clicked_ = true;
  if (target->OnMouseDown)
    target->OnMouseDown({button, x - target->Left(), y - target->Top()});
}

void TForm::MouseUp(TMouseButton button, int x, int y) {
  TGraphicControl *target = mouseControl_;
  bool click = clicked_ && button == TMouseButton::Left;
  if (button == TMouseButton::Left)
    clicked_ = false;
  if (!target)
    return;
  mouseControl_ = nullptr;
  if (GetCapture() == handle_)
    ReleaseCapture();
  RECT bounds = target->BoundsRect();
  if (click && PtInRect(&bounds, POINT{x, y}) && target->Enabled() && target->OnClick)
    Click(*target);
}

void TForm::CancelMouse() {
  mouseControl_ = nullptr;
  clicked_ = false;
  if (GetCapture() == handle_)
    ReleaseCapture();
}

bool TForm::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
  TWinControl *control = nullptr;
  switch (message) {
  case WM_COMMAND:
    control = TWinControl::FromHandle(reinterpret_cast<HWND>(lParam));
    break;
  case WM_DRAWITEM:
  case WM_MEASUREITEM:
    // Measuring comes while the child is still being created, before its
    // handle is known: find it by its control id.
    control = ControlById(static_cast<int>(wParam));
    break;
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_VKEYTOITEM: // keys of a list box with LBS_WANTKEYBOARDINPUT
    control = TWinControl::FromHandle(reinterpret_cast<HWND>(lParam));
    break;
  default:
    return false;
  }
  return control && control->Reflected(message, wParam, lParam, result);
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  RECT client{0, 0, clientWidth_, clientHeight_};
  if (HandlePaintMessage(
          handle_, message, wParam, client, [this](HDC dc, const RECT &area) { PaintTo(dc, area); },
          &result))
    return result;
  if (message == TFormAccessible::DefaultActionMessage()) {
    accessible_.RunDefaultAction(static_cast<long>(wParam));
    return 0;
  }
  switch (message) {
  case WM_MOUSEMOVE:
    MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    MouseDown(TMouseButton::Left, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    MouseDown(TMouseButton::Right, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONDBLCLK:
    MouseDown(TMouseButton::Middle, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_LBUTTONUP:
    MouseUp(TMouseButton::Left, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_RBUTTONUP:
    MouseUp(TMouseButton::Right, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_MBUTTONUP:
    MouseUp(TMouseButton::Middle, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return 0;
  case WM_CANCELMODE:
    CancelMouse();
    break;
  case WM_CAPTURECHANGED:
    if (reinterpret_cast<HWND>(lParam) != handle_) {
      mouseControl_ = nullptr;
      clicked_ = false;
    }
    return 0;
  case WM_CLOSE:
    Close();
    return 0;
  case WM_SYSCOMMAND:
    // Alt+F4 and the system menu's close: the form's own close command.
    if ((wParam & 0xFFF0) == SC_CLOSE && keyboard_.SystemClose())
      return 0;
    break;
  case WM_ACTIVATE:
    if (LOWORD(wParam) == WA_INACTIVE)
      keyboard_.SaveFocus();
    else if (Application)
      Application->FormActivated(this);
    break;
  case WM_SETFOCUS:
    keyboard_.FormFocused();
    return 0;
  case WM_KILLFOCUS:
    keyboard_.FormUnfocused(reinterpret_cast<HWND>(wParam));
    return 0;
  case WM_UPDATEUISTATE:
    keyboard_.UpdateCues(wParam);
    break;
  case WM_GETOBJECT:
    if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
      if (LRESULT object = accessible_.Answer(wParam))
        return object;
    }
    break;
  case WM_MOVE:
  case WM_SIZE: {
    RECT outer;
    GetWindowRect(handle_, &outer);
    left_ = outer.left;
    top_ = outer.top;
    width_ = outer.right - outer.left;
    height_ = outer.bottom - outer.top;
    if (message == WM_SIZE) {
      clientWidth_ = LOWORD(lParam);
      clientHeight_ = HIWORD(lParam);
    }
    break;
  }
  default:
    if (Reflect(message, wParam, lParam, &result))
      return result;
    break;
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
    auto *form = static_cast<TForm *>(create->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto *form = reinterpret_cast<TForm *>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form)
    return DefWindowProcA(window, message, wParam, lParam);
  return GuardedEntry<LRESULT>(0, [&] { return form->Dispatch(message, wParam, lParam); });
}
