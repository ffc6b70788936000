// A windowless picture: a bitmap resource drawn unscaled at the control's
// top-left corner (or centred in it).
#pragma once

#include "runtime/Control.h"
#include "runtime/Gdi.h"

struct TImageDesign {
  const char *name;
  int left, top, width, height;
  const char *bitmap; // resource name
  bool center = false;
};

class TImage : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;

  // Loads the bitmap resource; a missing resource leaves the image empty.
  void Apply(const TImageDesign &design);
  bool HasPicture() const { return static_cast<bool>(bitmap_); }
  SIZE PictureSize() const { return size_; }

  void Paint(HDC dc) override;

private:
  Bitmap bitmap_;
  SIZE size_{0, 0};
  bool center_ = false;
};
