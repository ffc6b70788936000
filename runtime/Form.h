// A top-level window with windowless controls painted off-screen and
// windowed child controls. One instance per form class, created once at
// start-up and shown and hidden until the program ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/Accessible.h"
#include "runtime/Control.h"
#include "runtime/FormKeyboard.h"

enum class TBorderStyle { None, ToolWindow };

// Design-time properties of a form: what a form resource would hold.
struct TFormDesign {
  int clientWidth = 0;
  int clientHeight = 0;
  COLORREF color = RGB(0, 0, 0);
  TBorderStyle border = TBorderStyle::None;
  std::string caption;
  bool screenCenter = true; // centred when first shown
};

class TForm {
public:
  // `className` names the window class, for instance "TForm1".
  TForm(const char *className, const TFormDesign &design);
  virtual ~TForm();
  TForm(const TForm &) = delete;
  TForm &operator=(const TForm &) = delete;

  const char *ClassName() const { return className_; }
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  // The creation handler; exceptions from it are reported, not fatal.
  virtual void FormCreate() {}

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show(); // visible and in front
  void Hide() { SetVisible(false); }
  void BringToFront();
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Hides the form; for the main form, ends the application.
  void Close();

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  COLORREF Color() const { return color_; }

  // Outer geometry in screen coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetTop(int top);
  void SetHeight(int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // Paints all windowless controls of `area` now.
  void Repaint();
  void InvalidateArea(const RECT &area);
  void UpdateArea(const RECT &area);
  // The whole client area drawn into `dc` (also what WM_PRINTCLIENT gives).
  void PaintTo(HDC dc, const RECT &area);

  // Steps of construction driven by the application object.
  void CreateHandle();
  void LoadedControls();
  void DoCreate();

  const std::vector<TControl *> &Controls() const { return controls_; }

  // Keyboard order and keys, and what screen readers are told: data each
  // form declares once.
  TFormKeyboard &Keyboard() { return keyboard_; }
  const TFormKeyboard &Keyboard() const { return keyboard_; }
  TFormAccessible &Accessible() { return accessible_; }
  // A key message for this form or its children, before translation; true
  // when the form took it.
  bool PreviewKey(const MSG &msg) { return keyboard_.PreviewKey(msg); }
  // The keyboard focus moved to `command` (nullptr: to no command).
  void CommandFocused(const TGraphicControl *command) { accessible_.CommandFocused(command); }
  // Runs the click handler of `control` as the pointer, a key or a screen
  // reader clicks it. A form the click shows from hidden is the control's
  // dialog: when it goes, the keyboard focus goes back to the control, as
  // it goes back to the button that opened a standard dialog.
  void Click(TGraphicControl &control);

private:
  friend class TControl;
  friend class TWinControl;
  void Insert(TControl *control);
  void Remove(TControl *control);
  void CreateChildHandles();
  void SendToBack(TControl *control);
  int NextControlId() { return nextControlId_++; }
  TWinControl *ControlById(int id) const;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

  TGraphicControl *ControlAt(int x, int y) const;
  void MouseMove(int x, int y);
  void MouseDown(TMouseButton button, int x, int y);
  void MouseUp(TMouseButton button, int x, int y);
  void CancelMouse();

  const char *className_;
  HWND handle_ = nullptr;
  std::vector<TControl *> controls_; // z-order, bottom first
  std::string caption_;
  COLORREF color_;
  TBorderStyle border_;
  bool screenCenter_;
  bool shownOnce_ = false;
  bool visible_ = false;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int clientWidth_, clientHeight_;

  int nextControlId_ = 100;                 // ids of child windows
  TGraphicControl *mouseControl_ = nullptr; // holds the capture
  TFormKeyboard keyboard_{*this};
  TFormAccessible accessible_{*this};
  bool clicked_ = false; // left press pending on it

  // A form and the control of it whose click opened this one.
  struct TOpener {
    TForm *form = nullptr;
    TGraphicControl *control = nullptr;
  };
  TOpener opener_;
  static TOpener running_; // the click running now
};
