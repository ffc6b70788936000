#include "runtime/ListPicture.h"

#include "runtime/BitmapResource.h"

HBITMAP TListPicture::Picture() const {
  if (loaded_ || !resource_)
    return bitmap_.Get();
  loaded_ = true;
  bitmap_.Reset(LoadBitmapResource(resource_));
  if (!bitmap_)
    return nullptr;
  BITMAP info;
  GetObjectA(bitmap_.Get(), sizeof info, &info);
  size_ = {info.bmWidth, info.bmHeight};
  WindowDC screen(nullptr);
  MemoryDC memory(screen.Get());
  Selection select(memory.Get(), bitmap_.Get());
  transparent_ = GetPixel(memory.Get(), 0, size_.cy - 1);
  return bitmap_.Get();
}

void TListPicture::Draw(HDC dc, int x, int y) const {
  if (!Picture())
    return;
  MemoryDC source(dc);
  Selection select(source.Get(), bitmap_.Get());
  // The graphics library's own call, which the image library's forwards to.
  GdiTransparentBlt(dc, x, y, size_.cx, size_.cy, source.Get(), 0, 0, size_.cx, size_.cy,
                    transparent_);
}
