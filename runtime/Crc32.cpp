#include "runtime/Crc32.h"

namespace {
struct Crc32Table {
  uint32_t entry[256];
  constexpr Crc32Table() : entry() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t value = i;
      for (int bit = 0; bit < 8; ++bit)
        value = value & 1 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
      entry[i] = value;
    }
  }
};
constexpr Crc32Table kTable;
} // namespace

uint32_t Crc32(const void *data, size_t size, uint32_t crc) {
  const unsigned char *bytes = static_cast<const unsigned char *>(data);
  crc = ~crc;
  for (size_t i = 0; i < size; ++i)
    crc = kTable.entry[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}
