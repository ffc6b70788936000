// What a window draws, taken once into an off-screen bitmap, so a test can
// read as many pixels as it likes without drawing again.
#pragma once

#include <windows.h>

#include <functional>

#include "runtime/Gdi.h"

class Picture {
public:
  // A width x height bitmap that `draw` paints into.
  Picture(int width, int height, const std::function<void(HDC)> &draw);
  // The client area of a child window, as WM_PRINTCLIENT draws it.
  static Picture OfWindow(HWND window);

  COLORREF At(int x, int y) const { return GetPixel(memory_.Get(), x, y); }
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  int width_, height_;
  WindowDC screen_{nullptr};
  MemoryDC memory_{screen_.Get()};
  Bitmap bitmap_;
  Selection select_;
};
