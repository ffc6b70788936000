#include "runtime/Label.h"

#include "runtime/Form.h"

void TLabel::Apply(const TLabelDesign &design) {
  SetName(design.name);
  font_ = design.font;
  fontHandle_.Reset();
  alignment_ = design.alignment;
  autoSize_ = (design.options & loAutoSize) != 0;
  wordWrap_ = (design.options & loWordWrap) != 0;
  transparent_ = (design.options & loOpaque) == 0;
  SetVisible((design.options & loHidden) == 0);
  SetBounds(design.left, design.top, design.width, design.height);
  SetCaption(design.caption);
}

HFONT TLabel::FontHandle() {
  if (!fontHandle_)
    fontHandle_.Reset(CreateDesignFont(font_));
  return fontHandle_.Get();
}

UINT TLabel::DrawFlags() const {
  // Captions come from files and are shown as they are: no "&" prefixes.
  UINT flags = DT_EXPANDTABS | DT_NOPREFIX;
  if (wordWrap_)
    flags |= DT_WORDBREAK;
  switch (alignment_) {
  case TAlignment::Left:
    flags |= DT_LEFT;
    break;
  case TAlignment::Center:
    flags |= DT_CENTER;
    break;
  case TAlignment::Right:
    flags |= DT_RIGHT;
    break;
  }
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || !Owner()->HandleAllocated())
    return;
  WindowDC screen(nullptr);
  Selection font(screen.Get(), FontHandle());
  RECT rect{0, 0, Width(), 0};
  std::string text = caption_.empty() ? std::string(" ") : caption_;
  DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
            DrawFlags() | DT_CALCRECT);
  // A right-aligned label grows and shrinks to the left: its right edge stays.
  int left = alignment_ == TAlignment::Right ? Left() + Width() - rect.right : Left();
  SetBounds(left, Top(), rect.right, rect.bottom);
}

void TLabel::SetCaption(const std::string &caption) {
  if (caption == caption_ && !autoSize_)
    return;
  caption_ = caption;
  AdjustBounds();
  Invalidate();
  Owner()->Accessible().TextChanged(*this);
}

void TLabel::SetFontColor(COLORREF color) {
  if (color == font_.color)
    return;
  font_.color = color;
  Invalidate();
}

void TLabel::Paint(HDC dc) {
  RECT rect = BoundsRect();
  if (!transparent_) {
    Brush background(CreateSolidBrush(Owner()->Color()));
    FillRect(dc, &rect, background.Get());
  }
  Selection font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  UINT flags = DrawFlags();
  int length = static_cast<int>(caption_.size());
  if (Enabled()) {
    SetTextColor(dc, font_.color);
    DrawTextA(dc, caption_.c_str(), length, &rect, flags);
  } else {
    // The platform's greyed look: a highlight copy one pixel down and right
    // under the shadow-coloured text.
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, caption_.c_str(), length, &shifted, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, caption_.c_str(), length, &rect, flags);
  }
}
