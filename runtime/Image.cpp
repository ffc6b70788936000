#include "runtime/Image.h"

#include "runtime/BitmapResource.h"

void TImage::Apply(const TImageDesign &design) {
  SetName(design.name);
  SetBounds(design.left, design.top, design.width, design.height);
  center_ = design.center;
  resource_ = design.bitmap;
  loaded_ = false;
  bitmap_.Reset();
  size_ = {0, 0};
}

HBITMAP TImage::Picture() const {
  if (!loaded_ && resource_) {
    loaded_ = true;
    bitmap_.Reset(LoadBitmapResource(resource_));
    if (bitmap_) {
      BITMAP info;
      GetObjectA(bitmap_.Get(), sizeof info, &info);
      size_ = {info.bmWidth, info.bmHeight};
    }
  }
  return bitmap_.Get();
}

void TImage::Paint(HDC dc) {
  if (!Picture())
    return;
  int x = Left(), y = Top();
  if (center_) {
    x += (Width() - size_.cx) / 2;
    y += (Height() - size_.cy) / 2;
  }
  MemoryDC source(dc);
  Selection select(source.Get(), bitmap_.Get());
  BitBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, SRCCOPY);
}
