// A small picture drawn beside the items of owner-drawn lists: a bitmap
// resource whose bottom-left pixel gives the colour drawn as see-through.
#pragma once

#include <windows.h>

#include "runtime/Gdi.h"

class TListPicture {
public:
  TListPicture() = default;
  // Loads the bitmap resource of the program; a missing one leaves it empty.
  explicit TListPicture(const char *resourceName);

  bool Loaded() const { return static_cast<bool>(bitmap_); }
  int Width() const { return size_.cx; }
  int Height() const { return size_.cy; }
  // Draws the picture with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const;

private:
  Bitmap bitmap_;
  SIZE size_{0, 0};
  COLORREF transparent_ = 0;
};
