// A small picture drawn beside the items of owner-drawn lists: a bitmap
// resource whose bottom-left pixel gives the colour drawn as see-through.
#pragma once

#include <windows.h>

#include "runtime/Gdi.h"

class TListPicture {
public:
  TListPicture() = default;
  // Names the bitmap resource of the program, loaded when first needed (the
  // lists' pictures cost nothing until a list shows); a missing one leaves
  // the picture empty.
  explicit TListPicture(const char *resourceName) : resource_(resourceName) {}

  bool Loaded() const { return static_cast<bool>(Picture()); }
  int Width() const { return Picture() ? size_.cx : 0; }
  int Height() const { return Picture() ? size_.cy : 0; }
  // Draws the picture with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const;

private:
  HBITMAP Picture() const;

  const char *resource_ = nullptr;
  mutable bool loaded_ = false;
  mutable Bitmap bitmap_;
  mutable SIZE size_{0, 0};
  mutable COLORREF transparent_ = 0;
};
