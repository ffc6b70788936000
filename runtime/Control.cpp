#include "runtime/Control.h"

#include "runtime/Form.h"

namespace {
const char kControlProperty[] = "TWinControl";
}

TControl::TControl(TForm *owner) : owner_(owner) {
  owner_->Insert(this);
}

TControl::~TControl() {
  owner_->Remove(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
}

void TControl::SendToBack() {
  owner_->SendToBack(this);
  Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
}

void TControl::Invalidate() const {
  if (!IsWindowed())
    owner_->InvalidateArea(BoundsRect());
}

void TGraphicControl::Repaint() const {
  Owner()->UpdateArea(BoundsRect());
}

void TGraphicControl::SetVisible(bool visible) {
  if (visible == Visible())
    return;
  TControl::SetVisible(visible);
  Invalidate();
}

void TGraphicControl::SetEnabled(bool enabled) {
  if (enabled == Enabled())
    return;
  TControl::SetEnabled(enabled);
  Invalidate();
  if (!enabled)
    Owner()->Keyboard().ControlDisabled(this);
}

TWinControl::~TWinControl() {
  if (handle_) {
    RemovePropA(handle_, kControlProperty);
    DestroyWindow(handle_);
  }
}

HWND TWinControl::Handle() {
  if (!handle_)
    CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  CreateParams params;
  GetCreateParams(params);
  DWORD style = params.style | WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible())
    style |= WS_VISIBLE;
  if (!Enabled())
    style |= WS_DISABLED;
  HWND parent = Owner()->Handle();
  id_ = Owner()->NextControlId();
  handle_ =
      CreateWindowExA(params.exStyle, params.className, params.text.c_str(), style, Left(), Top(),
                      Width(), Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                      GetModuleHandleA(nullptr), nullptr);
  if (!handle_)
    return;
  SetPropA(handle_, kControlProperty, this);
  if (font_)
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  HandleCreated();
}

TWinControl *TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl *>(GetPropA(window, kControlProperty)) : nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  if (handle_)
    MoveWindow(handle_, left, top, width, height, TRUE);
}

void TWinControl::SetVisible(bool visible) {
  TControl::SetVisible(visible);
  if (handle_)
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
  else if (visible && Owner()->Visible())
    Handle(); // a child of a shown form that had none while hidden
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (handle_)
    EnableWindow(handle_, enabled);
}

void TWinControl::SetFont(const TFontDesign &font) {
  fontDesign_ = font;
  font_.Reset(CreateDesignFont(font));
  if (handle_)
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
  FontChanged();
}

bool TWinControl::Reflected(UINT, WPARAM, LPARAM, LRESULT *) {
  return false;
}
