#include "runtime/Image.h"

void TImage::Apply(const TImageDesign &design) {
  SetName(design.name);
  SetBounds(design.left, design.top, design.width, design.height);
  center_ = design.center;
  bitmap_.Reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), design.bitmap,
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  size_ = {0, 0};
  if (bitmap_) {
    BITMAP info;
    GetObjectA(bitmap_.Get(), sizeof info, &info);
    size_ = {info.bmWidth, info.bmHeight};
  }
}

void TImage::Paint(HDC dc) {
  if (!bitmap_)
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
