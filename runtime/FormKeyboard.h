// The keyboard of a form, by the platform's dialog conventions, over a mix of
// windowed controls and windowless command labels. A focused command is the
// form window itself holding the keyboard focus plus the index kept here.
// Focus cues stay hidden until a key is pressed in the form, so a pointer
// user sees no change.
#pragma once

#include <windows.h>

#include <vector>

class TControl;
class TForm;
class TGraphicControl;

enum class TArrowKeys { None, UpDown, LeftRight };

// What a form declares about its keyboard: data, like its layout table.
struct TKeyboardDesign {
  // Windowed controls in tab order, then the command labels in reading order.
  std::vector<TControl *> order;
  // Which arrow keys move through the commands (while a command is focused).
  TArrowKeys arrows = TArrowKeys::None;
  TGraphicControl *escape = nullptr; // clicked by Escape
  TGraphicControl *altF4 = nullptr;  // clicked by Alt+F4; without one the form closes
  // Clicked by Enter while a windowed control has the focus; without one the
  // control keeps its Enter.
  TGraphicControl *enter = nullptr;
  // The picture whose pointer-move handler resets the commands' look: a
  // focused command is shown by its own pointer-move and mouse-down
  // handlers, after this one.
  TGraphicControl *background = nullptr;
};

class TFormKeyboard {
public:
  explicit TFormKeyboard(TForm &form) : form_(form) {}

  void SetDesign(TKeyboardDesign design);
  // Escape closes the form like its close box.
  void SetEscapeCloses() { escapeCloses_ = true; }
  // Commands without a look of their own under the pointer get the
  // platform's focus frame.
  void SetFocusFrame() { focusFrame_ = true; }
  const TKeyboardDesign &Design() const { return design_; }

  // A key message meant for the form or one of its children, before it is
  // translated; true when it was the form's and is consumed.
  bool PreviewKey(const MSG &msg);

  // The form window got the focus: hand it on to where it was.
  void FormFocused();
  // The form window lost the focus to `next`.
  void FormUnfocused(HWND next);
  // The form was hidden or deactivated: remember where the focus is.
  void SaveFocus();
  // The form is being shown from hidden: the first control takes the focus.
  void ResetFocus() { focus_ = -1; }
  // The platform's keyboard cue state changed (WM_UPDATEUISTATE).
  void UpdateCues(WPARAM wParam);

  // The focused command while the form window has the focus, else nullptr.
  TGraphicControl *FocusedCommand() const;
  bool CuesShown() const { return cues_; }
  // The frame to draw around the focused command, when there is one.
  bool FocusFrame(RECT *frame) const;
  // Alt+F4 or the system menu's close: clicks the form's command for it;
  // false when it has none and the form closes as usual.
  bool SystemClose();
  // A focused command that is disabled hands the focus on to the next entry,
  // as a disabled button loses it.
  void ControlDisabled(const TControl *control);
  // Moves the focus to an entry of the order (a control of this form).
  void Focus(TControl *control);

private:
  int Current() const;
  bool Focusable(int index) const;
  bool IsCommand(int index) const;
  void FocusIndex(int index);
  void Step(int delta, bool commandsOnly);
  void SelectTextOf(TControl *control);
  void ShowCues();
  void ShowLook();
  bool Activate(TGraphicControl *command);
  bool KeyDown(const MSG &msg);
  bool KeyUp(const MSG &msg);
  bool ControlWantsKey(const MSG &msg) const;

  TForm &form_;
  TKeyboardDesign design_;
  int focus_ = -1;   // entry of the order that has (or gets back) the focus
  int pressed_ = -1; // command whose key is down
  WPARAM pressedKey_ = 0;
  bool cues_ = false;
  bool escapeCloses_ = false;
  bool focusFrame_ = false;
  RECT framed_{0, 0, 0, 0}; // where the last focus frame was drawn
};
