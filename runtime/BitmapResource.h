// The program's pictures: window pictures are packed (tools/pack-art: the
// bitmap's header and colours, then its rows in LZ4's block layout, half of
// what run-length coding leaves), small ones are plain bitmap resources.
#pragma once

#include <windows.h>

#include <cstddef>

// The picture `name` of the program as a DIB section: the packed data
// resource of that name, else the bitmap resource; nullptr when there is
// neither or it cannot be unpacked.
HBITMAP LoadBitmapResource(const char *name);

// Unpacks `in` (LZ4's block layout) into exactly `outSize` bytes at `out`;
// false for a stream that is damaged or does not fill them. Reads and
// writes nothing outside either.
bool UnpackBlocks(const BYTE *in, size_t inSize, BYTE *out, size_t outSize);
