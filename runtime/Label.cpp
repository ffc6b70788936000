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
  if (maxWidth_ > 0)
    flags |= DT_END_ELLIPSIS;
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
            (DrawFlags() & ~DT_END_ELLIPSIS) | DT_CALCRECT);
  if (maxWidth_ > 0 && rect.right > maxWidth_)
    rect.right = maxWidth_;
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

void TLabel::SetMaxWidth(int width) {
  maxWidth_ = width;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFontColor(COLORREF color) {
  if (color == font_.color)
    return;
  font_.color = color;
  Invalidate();
}

std::string TLabel::FittedCaption(HDC dc) const {
  auto width = [dc](const std::string &text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  };
  if (maxWidth_ <= 0 || width(caption_) <= Width())
    return caption_;
  // The end of the last word tells most (which volume, which file), so the
  // ellipsis takes its start.
  size_t blank = caption_.find_last_of(' ');
  std::string head = blank == std::string::npos ? "" : caption_.substr(0, blank + 1);
  std::string tail = caption_.substr(head.size());
  for (size_t drop = 1; drop < tail.size(); ++drop) {
    std::string fitted = head + "..." + tail.substr(drop);
    if (width(fitted) <= Width())
      return fitted;
  }
  return caption_; // not even the start fits: the end ellipsis cuts it
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
  const std::string text = FittedCaption(dc);
  int length = static_cast<int>(text.size());
  if (Enabled()) {
    SetTextColor(dc, font_.color);
    DrawTextA(dc, text.c_str(), length, &rect, flags);
  } else {
    // The platform's greyed look: a highlight copy one pixel down and right
    // under the shadow-coloured text.
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, text.c_str(), length, &shifted, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, text.c_str(), length, &rect, flags);
  }
}
