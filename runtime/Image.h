// A windowless picture: a picture resource (runtime/BitmapResource.h) drawn
// unscaled at the control's top-left corner (or centred in it).
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

  // Names the picture resource, loaded when first needed (the pictures of
  // windows not shown yet cost nothing at start-up); a missing resource
  // leaves the image empty.
  void Apply(const TImageDesign &design);
  bool HasPicture() const { return static_cast<bool>(Picture()); }
  SIZE PictureSize() const {
    Picture();
    return size_;
  }

  void Paint(HDC dc) override;

private:
  HBITMAP Picture() const;

  const char *resource_ = nullptr;
  mutable bool loaded_ = false;
  mutable Bitmap bitmap_;
  mutable SIZE size_{0, 0};
  bool center_ = false;
};
