#include "runtime/FormKeyboard.h"

#include "runtime/Form.h"

namespace {
constexpr LPARAM kRepeatBit = 1 << 30; // WM_KEYDOWN of an auto-repeat
constexpr LPARAM kAltBit = 1 << 29;    // WM_SYSKEYDOWN with Alt held

bool KeyHeld(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}
} // namespace

void TFormKeyboard::SetDesign(TKeyboardDesign design) {
  design_ = std::move(design);
  focus_ = -1;
}

bool TFormKeyboard::IsCommand(int index) const {
  return index >= 0 && index < static_cast<int>(design_.order.size()) &&
         !design_.order[index]->IsWindowed();
}

bool TFormKeyboard::Focusable(int index) const {
  if (index < 0 || index >= static_cast<int>(design_.order.size()))
    return false;
  TControl *control = design_.order[index];
  if (!control->Visible() || !control->Enabled())
    return false;
  if (!control->IsWindowed())
    return true;
  auto *windowed = static_cast<TWinControl *>(control);
  return windowed->HandleAllocated() && IsWindowVisible(windowed->Handle()) &&
         IsWindowEnabled(windowed->Handle());
}

int TFormKeyboard::Current() const {
  if (!form_.HandleAllocated())
    return -1;
  HWND focus = GetFocus();
  if (focus && focus == form_.Handle())
    return IsCommand(focus_) ? focus_ : -1;
  for (int i = 0; i < static_cast<int>(design_.order.size()); ++i) {
    TControl *control = design_.order[i];
    if (!control->IsWindowed())
      continue;
    auto *windowed = static_cast<TWinControl *>(control);
    if (windowed->HandleAllocated() &&
        (windowed->Handle() == focus || IsChild(windowed->Handle(), focus)))
      return i;
  }
  return -1;
}

TGraphicControl *TFormKeyboard::FocusedCommand() const {
  int current = Current();
  return IsCommand(current) ? static_cast<TGraphicControl *>(design_.order[current]) : nullptr;
}

bool TFormKeyboard::FocusFrame(RECT *frame) const {
  TGraphicControl *command = focusFrame_ && cues_ ? FocusedCommand() : nullptr;
  if (!command)
    return false;
  *frame = command->BoundsRect();
  InflateRect(frame, 2, 1);
  return true;
}

void TFormKeyboard::Focus(TControl *control) {
  for (int i = 0; i < static_cast<int>(design_.order.size()); ++i)
    if (design_.order[i] == control)
      FocusIndex(i);
}

void TFormKeyboard::FocusIndex(int index) {
  if (!Focusable(index))
    return;
  TControl *control = design_.order[index];
  if (control->IsWindowed()) {
    SetFocus(static_cast<TWinControl *>(control)->Handle());
    return;
  }
  focus_ = index;
  if (GetFocus() != form_.Handle())
    SetFocus(form_.Handle()); // comes back through FormFocused
  else
    FormFocused();
}

void TFormKeyboard::FormFocused() {
  if (!Focusable(focus_)) {
    focus_ = -1;
    for (int i = 0; i < static_cast<int>(design_.order.size()) && focus_ < 0; ++i)
      if (Focusable(i))
        focus_ = i;
  }
  if (focus_ >= 0 && design_.order[focus_]->IsWindowed()) {
    SetFocus(static_cast<TWinControl *>(design_.order[focus_])->Handle());
    return;
  }
  ShowLook();
  form_.CommandFocused(FocusedCommand());
}

void TFormKeyboard::FormUnfocused(HWND next) {
  // Focus moving into a child leaves no command focused; focus leaving the
  // form keeps the look, as the pointer's look stays on a window left.
  if (next && form_.HandleAllocated() && IsChild(form_.Handle(), next))
    ShowLook();
}

void TFormKeyboard::SaveFocus() {
  int current = Current();
  if (current >= 0)
    focus_ = current;
  pressed_ = -1;
}

void TFormKeyboard::UpdateCues(WPARAM wParam) {
  if (!(HIWORD(wParam) & UISF_HIDEFOCUS))
    return;
  bool shown = LOWORD(wParam) == UIS_CLEAR;
  if (shown == cues_)
    return;
  cues_ = shown;
  ShowLook();
}

void TFormKeyboard::ShowCues() {
  if (cues_)
    return;
  cues_ = true;
  // The platform's own controls follow the same state.
  SendMessageA(form_.Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  ShowLook();
}

void TFormKeyboard::ShowLook() {
  RECT frame;
  if (!IsRectEmpty(&framed_))
    form_.InvalidateArea(framed_);
  framed_ = FocusFrame(&frame) ? frame : RECT{0, 0, 0, 0};
  if (!IsRectEmpty(&framed_))
    form_.InvalidateArea(framed_);
  if (!cues_)
    return;
  TGraphicControl *command = FocusedCommand();
  TMouseEvent event{TMouseButton::Left, 0, 0};
  if (design_.background && design_.background->OnMouseMove)
    design_.background->OnMouseMove(event);
  if (command && command->OnMouseMove)
    command->OnMouseMove(event);
}

// A text box reached by Tab has its text selected, as in standard dialogs,
// so typing replaces it.
void TFormKeyboard::SelectTextOf(TControl *control) {
  if (!control->IsWindowed())
    return;
  HWND window = static_cast<TWinControl *>(control)->Handle();
  if (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(window, EM_SETSEL, 0, -1);
}

void TFormKeyboard::Step(int delta, bool commandsOnly) {
  int count = static_cast<int>(design_.order.size());
  int start = Current();
  if (start < 0)
    start = delta > 0 ? -1 : count;
  for (int n = 1; n <= count; ++n) {
    int index = ((start + delta * n) % count + count) % count;
    if (Focusable(index) && (!commandsOnly || IsCommand(index))) {
      FocusIndex(index);
      SelectTextOf(design_.order[index]);
      return;
    }
  }
}

bool TFormKeyboard::Activate(TGraphicControl *command) {
  if (command && command->Visible() && command->Enabled() && command->OnClick)
    command->OnClick();
  return true;
}

// What standard dialogs ask a control before taking a key from it: a
// dropped-down combo box wants Enter and Escape for itself.
bool TFormKeyboard::ControlWantsKey(const MSG &msg) const {
  if (Current() < 0 || IsCommand(Current()))
    return false;
  MSG copy = msg;
  LRESULT code =
      SendMessageA(GetFocus(), WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
    return true;
  return msg.wParam == VK_TAB && (code & DLGC_WANTTAB);
}

bool TFormKeyboard::KeyDown(const MSG &msg) {
  bool repeat = (msg.lParam & kRepeatBit) != 0;
  int current = Current();
  switch (msg.wParam) {
  case VK_TAB:
    if (KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU))
      return false;
    ShowCues();
    Step(KeyHeld(VK_SHIFT) ? -1 : 1, false);
    return true;
  case VK_UP:
  case VK_DOWN:
  case VK_LEFT:
  case VK_RIGHT: {
    bool vertical = msg.wParam == VK_UP || msg.wParam == VK_DOWN;
    TArrowKeys axis = vertical ? TArrowKeys::UpDown : TArrowKeys::LeftRight;
    if (design_.arrows != axis || !IsCommand(current))
      return false;
    ShowCues();
    Step(msg.wParam == VK_UP || msg.wParam == VK_LEFT ? -1 : 1, true);
    return true;
  }
  case VK_RETURN:
  case VK_SPACE:
    if (IsCommand(current)) {
      ShowCues();
      auto *command = static_cast<TGraphicControl *>(design_.order[current]);
      if (!repeat && command->Enabled()) {
        pressed_ = current;
        pressedKey_ = msg.wParam;
        if (command->OnMouseDown)
          command->OnMouseDown({TMouseButton::Left, 0, 0});
      }
      return true;
    }
    if (msg.wParam == VK_RETURN && design_.enter) {
      ShowCues();
      return repeat || Activate(design_.enter);
    }
    return false;
  case VK_ESCAPE:
    if (design_.escape)
      return repeat || Activate(design_.escape);
    if (escapeCloses_) {
      if (!repeat)
        form_.Close();
      return true;
    }
    return false;
  default:
    return false;
  }
}

bool TFormKeyboard::KeyUp(const MSG &msg) {
  if (pressed_ < 0 || msg.wParam != pressedKey_)
    return false;
  int pressed = pressed_;
  pressed_ = -1;
  // Like a push button: the click comes when the key is let go over the
  // command that took it.
  if (Current() != pressed)
    return true;
  ShowLook();
  return Activate(static_cast<TGraphicControl *>(design_.order[pressed]));
}

void TFormKeyboard::ControlDisabled(const TControl *control) {
  if (control == FocusedCommand())
    Step(1, false);
}

bool TFormKeyboard::SystemClose() {
  return design_.altF4 && Activate(design_.altF4);
}

bool TFormKeyboard::PreviewKey(const MSG &msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && (msg.lParam & kAltBit)) {
    return design_.altF4 && ((msg.lParam & kRepeatBit) || SystemClose());
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP)
    return false;
  // A window the pointer cannot use takes no keys either.
  if (!form_.Enabled() || !form_.Visible())
    return msg.message == WM_KEYDOWN && msg.wParam != VK_SHIFT;
  if (ControlWantsKey(msg))
    return false;
  return msg.message == WM_KEYDOWN ? KeyDown(msg) : KeyUp(msg);
}
