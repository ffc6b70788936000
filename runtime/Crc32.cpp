#include "runtime/Crc32.h"

namespace {
// Eight tables, so that a large file's CRC costs about a byte a cycle
// ("slicing by 8"): table k gives the CRC of a byte followed by k zeros.
// Made at the first call rather than carried in the program.
uint32_t table[8][256];

const uint32_t (&Tables())[8][256] {
  if (table[0][1] == 0) {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t value = i;
      for (int bit = 0; bit < 8; ++bit)
        value = value & 1 ? 0xEDB88320u ^ (value >> 1) : value >> 1;
      table[0][i] = value;
    }
    for (int k = 1; k < 8; ++k)
      for (uint32_t i = 0; i < 256; ++i)
        table[k][i] = table[k - 1][i] >> 8 ^ table[0][table[k - 1][i] & 0xFF];
  }
  return table;
}

uint32_t Word(const unsigned char *bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
} // namespace

uint32_t Crc32(const void *data, size_t size, uint32_t crc) {
  const auto &t = Tables();
  const unsigned char *bytes = static_cast<const unsigned char *>(data);
  crc = ~crc;
  for (; size >= 8; size -= 8, bytes += 8) {
    const uint32_t low = Word(bytes) ^ crc, high = Word(bytes + 4);
    crc = t[7][low & 0xFF] ^ t[6][low >> 8 & 0xFF] ^ t[5][low >> 16 & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][high >> 8 & 0xFF] ^ t[1][high >> 16 & 0xFF] ^ t[0][high >> 24];
  }
  for (; size > 0; --size)
    crc = t[0][(crc ^ *bytes++) & 0xFF] ^ crc >> 8;
  return ~crc;
}
