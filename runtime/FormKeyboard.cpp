#include "runtime/FormKeyboard.h"

#include "runtime/Form.h"
#include "runtime/Label.h"

namespace {
constexpr LPARAM kRepeatBit = 1 << 30; // WM_KEYDOWN of an auto-repeat
constexpr LPARAM kAltBit = 1 << 29;    // WM_SYSKEYDOWN with Alt held

bool KeyHeld(int key) {
  return (GetKeyState(key) & 0x8000) != 0;
}
} // namespace

void TFormKeyboard::SetDesign(const TKeyboardDesign &design) {
  design_ = design;
  focus_ = -1;
}

TWinControl *TFormKeyboard::ControlAt(int index) const {
  const TEntries<TWinControl> &controls = design_.Controls();
  return index >= 0 && index < controls.size() ? controls[index] : nullptr;
}

TLabel *TFormKeyboard::CommandAt(int index) const {
  const TEntries<TLabel> &commands = design_.Commands();
  int command = index - design_.Controls().size();
  return command >= 0 && command < commands.size() ? commands[command] : nullptr;
}

int TFormKeyboard::IndexOf(const TControl *control) const {
  for (int i = 0; i < Count(); ++i)
    if (control && (ControlAt(i) == control || CommandAt(i) == control))
      return i;
  return -1;
}

bool TFormKeyboard::Focusable(int index) const {
  if (TLabel *command = CommandAt(index))
    return command->Visible() && command->Enabled();
  TWinControl *control = ControlAt(index);
  return control && control->Visible() && control->Enabled() && control->HandleAllocated() &&
         IsWindowVisible(control->Handle()) && IsWindowEnabled(control->Handle());
}

int TFormKeyboard::Current() const {
  if (!form_.HandleAllocated())
    return -1;
  HWND focus = GetFocus();
  if (focus && focus == form_.Handle())
    return CommandAt(focus_) ? focus_ : -1;
  for (int i = 0; i < design_.Controls().size(); ++i) {
    TWinControl *control = ControlAt(i);
    if (control->HandleAllocated() &&
        (control->Handle() == focus || IsChild(control->Handle(), focus)))
      return i;
  }
  return -1;
}

TLabel *TFormKeyboard::FocusedCommand() const {
  return CommandAt(Current());
}

bool TFormKeyboard::FocusFrame(RECT *frame) const {
  TGraphicControl *command = focusFrame_ && cues_ ? FocusedCommand() : nullptr;
  if (!command)
    return false;
  *frame = command->BoundsRect();
  InflateRect(frame, 2, 1);
  return true;
}

void TFormKeyboard::Focus(const TControl *control) {
  FocusIndex(IndexOf(control));
}

void TFormKeyboard::FocusIndex(int index) {
  if (!Focusable(index))
    return;
  if (TWinControl *control = ControlAt(index)) {
    SetFocus(control->Handle());
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
    for (int i = 0; i < Count() && focus_ < 0; ++i)
      if (Focusable(i))
        focus_ = i;
  }
  if (TWinControl *control = ControlAt(focus_)) {
    SetFocus(control->Handle());
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
  TGraphicControl *background = design_.Background();
  if (background && background->OnMouseMove)
    background->OnMouseMove(event);
  if (command && command->OnMouseMove)
    command->OnMouseMove(event);
}

// A text box reached by Tab has its text selected, as in standard dialogs,
// so typing replaces it.
void TFormKeyboard::SelectTextOf(int index) {
  TWinControl *control = ControlAt(index);
  if (!control)
    return;
  HWND window = control->Handle();
  if (SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(window, EM_SETSEL, 0, -1);
}

void TFormKeyboard::Step(int delta, bool commandsOnly) {
  int count = Count();
  int start = Current();
  if (start < 0)
    start = delta > 0 ? -1 : count;
  for (int n = 1; n <= count; ++n) {
    int index = ((start + delta * n) % count + count) % count;
    if (Focusable(index) && (!commandsOnly || CommandAt(index))) {
      FocusIndex(index);
      SelectTextOf(index);
      return;
    }
  }
}

bool TFormKeyboard::Activate(TLabel *command) {
  if (command && command->Visible() && command->Enabled() && command->OnClick)
    form_.Click(*command);
  return true;
}

// What standard dialogs ask a control before taking a key from it: a
// dropped-down combo box wants Enter and Escape for itself.
bool TFormKeyboard::ControlWantsKey(const MSG &msg) const {
  if (!ControlAt(Current()))
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
    if (design_.Arrows() != axis || !CommandAt(current))
      return false;
    ShowCues();
    Step(msg.wParam == VK_UP || msg.wParam == VK_LEFT ? -1 : 1, true);
    return true;
  }
  case VK_RETURN:
  case VK_SPACE:
    if (TLabel *command = CommandAt(current)) {
      ShowCues();
      if (!repeat && command->Enabled()) {
        pressed_ = current;
        pressedKey_ = msg.wParam;
        if (command->OnMouseDown)
          command->OnMouseDown({TMouseButton::Left, 0, 0});
      }
      return true;
    }
    if (msg.wParam == VK_RETURN && design_.Enter()) {
      ShowCues();
      return repeat || Activate(design_.Enter());
    }
    return false;
  case VK_ESCAPE:
    if (design_.Escape())
      return repeat || Activate(design_.Escape());
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
  return Activate(CommandAt(pressed));
}

void TFormKeyboard::ControlDisabled(const TControl *control) {
  if (control == FocusedCommand())
    Step(1, false);
}

bool TFormKeyboard::SystemClose() {
  return design_.AltF4() && Activate(design_.AltF4());
}

bool TFormKeyboard::PreviewKey(const MSG &msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && (msg.lParam & kAltBit)) {
    return design_.AltF4() && ((msg.lParam & kRepeatBit) || SystemClose());
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
