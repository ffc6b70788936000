#include "runtime/BitmapResource.h"

#include <cstring>

namespace {
constexpr size_t kMinMatch = 4;

// A length of the block layout: the token's nibble, continued by bytes
// while they are 255 when the nibble is 15.
bool AddLength(const BYTE *in, size_t inSize, size_t &at, size_t &length) {
  if (length != 15)
    return true;
  for (;;) {
    if (at >= inSize)
      return false;
    BYTE more = in[at++];
    length += more;
    if (more != 255)
      return true;
  }
}

HBITMAP Unpacked(const BYTE *data, size_t size) {
  const auto *header = reinterpret_cast<const BITMAPINFOHEADER *>(data);
  if (size < sizeof *header || header->biSize != sizeof *header || header->biBitCount != 8 ||
      header->biCompression != BI_RGB || header->biWidth <= 0 || header->biHeight <= 0 ||
      header->biClrUsed > 256)
    return nullptr;
  const size_t colours = header->biClrUsed ? header->biClrUsed : 256;
  const size_t rows = sizeof *header + colours * sizeof(RGBQUAD);
  const size_t stride = (static_cast<size_t>(header->biWidth) + 3) / 4 * 4;
  if (size < rows || stride * static_cast<size_t>(header->biHeight) != header->biSizeImage)
    return nullptr;
  void *bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO *>(data),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap &&
      !UnpackBlocks(data + rows, size - rows, static_cast<BYTE *>(bits), header->biSizeImage)) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}
} // namespace

bool UnpackBlocks(const BYTE *in, size_t inSize, BYTE *out, size_t outSize) {
  size_t at = 0, done = 0;
  while (at < inSize) {
    const BYTE token = in[at++];
    size_t literals = token >> 4;
    if (!AddLength(in, inSize, at, literals) || literals > inSize - at || literals > outSize - done)
      return false;
    std::memcpy(out + done, in + at, literals);
    at += literals;
    done += literals;
    if (at == inSize) // the last sequence has literals only
      break;
    if (inSize - at < 2)
      return false;
    const size_t distance = in[at] | in[at + 1] << 8;
    at += 2;
    size_t match = token & 15;
    if (!AddLength(in, inSize, at, match))
      return false;
    match += kMinMatch;
    if (distance == 0 || distance > done || match > outSize - done)
      return false;
    // Byte by byte: a match may overlap what it copies.
    for (; match > 0; --match, ++done)
      out[done] = out[done - distance];
  }
  return done == outSize;
}

HBITMAP LoadBitmapResource(const char *name) {
  HMODULE program = GetModuleHandleA(nullptr);
  if (HRSRC packed = FindResourceA(program, name, RT_RCDATA)) {
    HGLOBAL loaded = LoadResource(program, packed);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    return data ? Unpacked(static_cast<const BYTE *>(data), SizeofResource(program, packed))
                : nullptr;
  }
  return static_cast<HBITMAP>(LoadImageA(program, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
