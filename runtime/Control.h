// Base classes of the controls a form owns: windowless graphic controls,
// painted and hit-tested by their form, and windowed controls that wrap a
// real child window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "runtime/FontDesign.h"
#include "runtime/Gdi.h"

class TForm;

enum class TMouseButton { Left, Right, Middle };

struct TMouseEvent {
  TMouseButton button; // the button pressed (mouse-down) or Left (move)
  int x, y;            // relative to the control
};

class TControl {
public:
  explicit TControl(TForm *owner);
  virtual ~TControl();
  TControl(const TControl &) = delete;
  TControl &operator=(const TControl &) = delete;

  TForm *Owner() const { return owner_; }
  const std::string &Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);

  virtual bool IsWindowed() const { return false; }
  // Moves the control beneath all others of its form (paint order).
  void SendToBack();
  // Runs once when the owning form has been loaded, before its creation
  // handler; an exception here fails the form's construction.
  virtual void Loaded() {}

protected:
  // Invalidates the control's area of the form.
  void Invalidate() const;

private:
  TForm *owner_;
  std::string name_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
};

// A control without a window: the form paints it and routes mouse input.
class TGraphicControl : public TControl {
public:
  using TControl::TControl;

  std::function<void(const TMouseEvent &)> OnMouseMove;
  std::function<void(const TMouseEvent &)> OnMouseDown;
  std::function<void()> OnClick;

  virtual void Paint(HDC dc) = 0;
  // Paints the control at once, not at the next paint of the form.
  void Repaint() const;

  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
};

// A control backed by a child window of its form, created when the form is
// first shown with the control visible, when a hidden one is shown on a
// shown form, or when its handle is first needed.
class TWinControl : public TControl {
public:
  using TControl::TControl;
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  HWND Handle();

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;

  // The font the window draws its text with; the platform's system font
  // until one is set. Kept across window re-creation.
  void SetFont(const TFontDesign &font);
  const TFontDesign &FontDesign() const { return fontDesign_; }
  HFONT FontHandle() const { return font_.Get(); }

  // Messages the form reflects back to the control that caused them
  // (WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_VKEYTOITEM). Returns true
  // when handled, with *result set.
  virtual bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

  static TWinControl *FromHandle(HWND window);
  // The child-window id the form gave it; 0 before the window exists.
  int ControlId() const { return id_; }

protected:
  struct CreateParams {
    const char *className = "STATIC";
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
  };
  virtual void GetCreateParams(CreateParams &params) = 0;
  // Runs right after the window exists: hand stored state to it.
  virtual void HandleCreated() {}
  // Runs after SetFont, with or without a window.
  virtual void FontChanged() {}

private:
  void CreateHandle();
  HWND handle_ = nullptr;
  int id_ = 0;
  TFontDesign fontDesign_;
  Font font_;
};
