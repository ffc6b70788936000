#include "tools/release-check/GdiTextMeasure.h"

#include "runtime/Gdi.h"
#include "shell/Skin.h"

namespace {
TextExtent Measure(int fontHeight, const std::string &text, int width, UINT wrap) {
  MemoryDC dc(nullptr);
  Font font(CreateDesignFont(skin::Arial(fontHeight, skin::kBlack)));
  Selection selected(dc.Get(), font.Get());
  RECT rect{0, 0, width, 0};
  // TLabel's flags: tabs expanded, "&" shown as it is.
  DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_LEFT | wrap);
  return {rect.right - rect.left, rect.bottom - rect.top};
}
} // namespace

TextExtent GdiTextMeasure::Line(int fontHeight, const std::string &text) {
  return Measure(fontHeight, text, 0, 0);
}

TextExtent GdiTextMeasure::Wrapped(int fontHeight, const std::string &text, int width) {
  return Measure(fontHeight, text, width, DT_WORDBREAK);
}
