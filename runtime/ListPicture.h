// A small picture drawn beside the items of owner-drawn lists: a bitmap
// resource whose bottom-left pixel gives the colour drawn as see-through.
#pragma once

#include <windows.h>

#include "runtime/Gdi.h"

class TListPicture {
public:
  TListPicture() = default;
  // A bitmap resource of the program, loaded when first needed (a list not
  // shown yet costs nothing at start-up); a missing one leaves it empty.
  explicit TListPicture(const char *resourceName) : resource_(resourceName) {}

  bool Loaded() const { return Picture() != nullptr; }
  int Width() const { return Picture() ? size_.cx : 0; }
  int Height() const { return Picture() ? size_.cy : 0; }
  // Draws the picture with its top-left corner at (x, y).
  void Draw(HDC dc, int x, int y) const;

private:
  HBITMAP Picture() const;

  const char *resource_ = nullptr;
  mutable bool tried_ = false;
  mutable Bitmap bitmap_;
  mutable SIZE size_{0, 0};
  mutable COLORREF transparent_ = 0;
};
