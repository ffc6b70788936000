// The installer's look, shared by all its windows: the text colours of the
// skin and the fonts its labels and lists are drawn with.
#pragma once

#include <windows.h>

#include "runtime/FontDesign.h"

namespace skin {
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80); // command labels of the dialogs at rest
constexpr COLORREF kRed = RGB(0xFF, 0x00, 0x00);

// Labels: Arial, bold unless asked otherwise, in the ANSI character set.
inline TFontDesign Arial(int height, COLORREF color, bool bold = true) {
  return {"Arial", height, bold, ANSI_CHARSET, color};
}

// The dialogs' default font, used by their lists and edit boxes.
inline TFontDesign DialogFont() {
  return {"MS Sans Serif", 11, false, DEFAULT_CHARSET, kBlack};
}
} // namespace skin
