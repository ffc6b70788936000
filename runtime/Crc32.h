// CRC-32 as archives and zip files carry it (reflected, polynomial
// 0xEDB88320, starting and ending inverted), so a size and CRC taken from an
// archive's header can be checked against a file on disk. Portable.
#pragma once

#include <cstddef>
#include <cstdint>

// The CRC of `size` bytes following those a CRC of `crc` was taken over:
// Crc32(b, m, Crc32(a, n)) is the CRC of a's n bytes followed by b's m.
uint32_t Crc32(const void *data, size_t size, uint32_t crc = 0);
