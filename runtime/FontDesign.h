// Design-time font properties, shared by labels and windowed controls.
#pragma once

#include <windows.h>

struct TFontDesign {
  const char *face = "Arial";
  int height = 11; // character height in pixels
  bool bold = true;
  BYTE charset = ANSI_CHARSET;
  COLORREF color = RGB(0, 0, 0);
};

// A new font for the design; the caller owns it.
HFONT CreateDesignFont(const TFontDesign &design);
