// The keyboard of a form, by the platform's dialog conventions, over its
// windowed controls and its windowless command labels. A focused command is
// the form window itself holding the keyboard focus plus the index kept
// here. Focus cues stay hidden until a key is pressed in the form, so a
// pointer user sees no change.
#pragma once

#include <windows.h>

class TControl;
class TForm;
class TGraphicControl;
class TLabel;
class TWinControl;

enum class TArrowKeys { None, UpDown, LeftRight };

// A few entries of one kind, in order: a form names them once in its
// design, so they live in place, without a heap.
template <class T> class TEntries {
public:
  static constexpr int kCapacity = 6;

  template <int N> void Assign(T *const (&entries)[N]) {
    static_assert(N <= kCapacity, "more entries than a form's design holds");
    for (int i = 0; i < N; ++i)
      items_[i] = entries[i];
    count_ = N;
  }
  int size() const { return count_; }
  T *operator[](int index) const { return items_[index]; }
  T *const *begin() const { return items_; }
  T *const *end() const { return items_ + count_; }

private:
  T *items_[kCapacity] = {};
  int count_ = 0;
};

// What a form declares about its keyboard: data, like its layout table.
// The focus order is the windowed controls in tab order, then the commands
// in reading order.
class TKeyboardDesign {
public:
  template <int N> TKeyboardDesign &Controls(TWinControl *const (&controls)[N]) {
    controls_.Assign(controls);
    return *this;
  }
  template <int N> TKeyboardDesign &Commands(TLabel *const (&commands)[N]) {
    commands_.Assign(commands);
    return *this;
  }
  // Which arrow keys move through the commands (while a command is focused).
  TKeyboardDesign &Arrows(TArrowKeys arrows) {
    arrows_ = arrows;
    return *this;
  }
  // Clicked by Escape.
  TKeyboardDesign &Escape(TLabel *command) {
    escape_ = command;
    return *this;
  }
  // Clicked by Alt+F4; without one the form closes.
  TKeyboardDesign &AltF4(TLabel *command) {
    altF4_ = command;
    return *this;
  }
  // Clicked by Enter while a windowed control has the focus; without one
  // the control keeps its Enter.
  TKeyboardDesign &Enter(TLabel *command) {
    enter_ = command;
    return *this;
  }
  // The picture whose pointer-move handler resets the commands' look: a
  // focused command is shown by its own pointer-move and mouse-down
  // handlers, after this one.
  TKeyboardDesign &Background(TGraphicControl *picture) {
    background_ = picture;
    return *this;
  }

  const TEntries<TWinControl> &Controls() const { return controls_; }
  const TEntries<TLabel> &Commands() const { return commands_; }
  TArrowKeys Arrows() const { return arrows_; }
  TLabel *Escape() const { return escape_; }
  TLabel *AltF4() const { return altF4_; }
  TLabel *Enter() const { return enter_; }
  TGraphicControl *Background() const { return background_; }

private:
  TEntries<TWinControl> controls_;
  TEntries<TLabel> commands_;
  TArrowKeys arrows_ = TArrowKeys::None;
  TLabel *escape_ = nullptr;
  TLabel *altF4_ = nullptr;
  TLabel *enter_ = nullptr;
  TGraphicControl *background_ = nullptr;
};

class TFormKeyboard {
public:
  explicit TFormKeyboard(TForm &form) : form_(form) {}

  void SetDesign(const TKeyboardDesign &design);
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
  // Where the focus goes when the form window next gets it: to `entry`,
  // or to the first entry that can take it when `entry` is none of them.
  void TakeFocusAt(const TControl *entry) { focus_ = IndexOf(entry); }
  // The platform's keyboard cue state changed (WM_UPDATEUISTATE).
  void UpdateCues(WPARAM wParam);

  // The focused command while the form window has the focus, else nullptr.
  TLabel *FocusedCommand() const;
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
  void Focus(const TControl *control);

private:
  // Entries of the order: the windowed controls, then the commands.
  int Count() const { return design_.Controls().size() + design_.Commands().size(); }
  int IndexOf(const TControl *control) const;
  TWinControl *ControlAt(int index) const; // nullptr unless a windowed control
  TLabel *CommandAt(int index) const;      // nullptr unless a command
  int Current() const;
  bool Focusable(int index) const;
  void FocusIndex(int index);
  void Step(int delta, bool commandsOnly);
  void SelectTextOf(int index);
  void ShowCues();
  void ShowLook();
  bool Activate(TLabel *command);
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
