#include "runtime/ListPicture.h"

#include "runtime/BitmapResource.h"

TListPicture::TListPicture(const char *resourceName) : bitmap_(LoadBitmapResource(resourceName)) {
  if (!bitmap_)
    return;
  BITMAP info;
  GetObjectA(bitmap_.Get(), sizeof info, &info);
  size_ = {info.bmWidth, info.bmHeight};
  WindowDC screen(nullptr);
  MemoryDC memory(screen.Get());
  Selection select(memory.Get(), bitmap_.Get());
  transparent_ = GetPixel(memory.Get(), 0, size_.cy - 1);
}

void TListPicture::Draw(HDC dc, int x, int y) const {
  if (!bitmap_)
    return;
  MemoryDC source(dc);
  Selection select(source.Get(), bitmap_.Get());
  // The graphics library's own call, which the image library's forwards to.
  GdiTransparentBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, size_.cx, size_.cy,
                    transparent_);
}
