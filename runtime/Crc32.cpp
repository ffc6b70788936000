#include "runtime/Crc32.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <emmintrin.h>
#include <wmmintrin.h>
#define CRC32_CARRYLESS 1
#endif

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

#ifdef CRC32_CARRYLESS
// Where the processor multiplies without carries (PCLMULQDQ, from 2010 on),
// 64 bytes at a time are folded into four 128-bit lanes and those into the
// CRC by Barrett reduction, after Intel's "Fast CRC Computation for Generic
// Polynomials Using PCLMULQDQ Instruction": about ten times the tables'
// speed, so a large file's CRC costs next to nothing while it is unpacked.
bool CarrylessMultiply() {
  static int known = -1;
  if (known < 0) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    known = __get_cpuid(1, &a, &b, &c, &d) && (c & bit_PCLMUL) && (d & bit_SSE2);
  }
  return known != 0;
}

#define CARRYLESS __attribute__((target("pclmul,sse2")))

CARRYLESS __m128i Load(const unsigned char *at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
}

// A lane carried 128 bits further, with the next 16 bytes added.
CARRYLESS __m128i Fold(__m128i lane, __m128i constants, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(lane, constants, 0x11), next),
                       _mm_clmulepi64_si128(lane, constants, 0x00));
}

// The CRC register over `size` bytes, a multiple of 16 and at least 64.
CARRYLESS uint32_t FoldedCrc(const unsigned char *bytes, size_t size, uint32_t crc) {
  const __m128i k1k2 = _mm_set_epi64x(0x01c6e41596, 0x0154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x00ccaa009e, 0x01751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x0163cd6124);
  const __m128i poly = _mm_set_epi64x(0x01f7011641, 0x01db710641);
  const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);

  __m128i x1 = _mm_xor_si128(Load(bytes), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x2 = Load(bytes + 16), x3 = Load(bytes + 32), x4 = Load(bytes + 48);
  for (bytes += 64, size -= 64; size >= 64; bytes += 64, size -= 64) {
    x1 = Fold(x1, k1k2, Load(bytes));
    x2 = Fold(x2, k1k2, Load(bytes + 16));
    x3 = Fold(x3, k1k2, Load(bytes + 32));
    x4 = Fold(x4, k1k2, Load(bytes + 48));
  }
  x1 = Fold(Fold(Fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
  for (; size >= 16; bytes += 16, size -= 16)
    x1 = Fold(x1, k3k4, Load(bytes));

  // 128 bits to 64, then Barrett's reduction to 32.
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
  x1 = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(x1, low32), k5, 0x00),
                     _mm_srli_si128(x1, 4));
  __m128i reduced = _mm_clmulepi64_si128(_mm_and_si128(x1, low32), poly, 0x10);
  reduced = _mm_clmulepi64_si128(_mm_and_si128(reduced, low32), poly, 0x00);
  x1 = _mm_xor_si128(x1, reduced);
  return static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(x1, 4)));
}
#endif
} // namespace

uint32_t Crc32(const void *data, size_t size, uint32_t crc) {
  const unsigned char *bytes = static_cast<const unsigned char *>(data);
  crc = ~crc;
#ifdef CRC32_CARRYLESS
  if (size >= 64 && CarrylessMultiply()) {
    const size_t folded = size & ~static_cast<size_t>(15);
    crc = FoldedCrc(bytes, folded, crc);
    bytes += folded;
    size -= folded;
  }
#endif
  const auto &t = Tables();
  for (; size >= 8; size -= 8, bytes += 8) {
    const uint32_t low = Word(bytes) ^ crc, high = Word(bytes + 4);
    crc = t[7][low & 0xFF] ^ t[6][low >> 8 & 0xFF] ^ t[5][low >> 16 & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][high >> 8 & 0xFF] ^ t[1][high >> 16 & 0xFF] ^ t[0][high >> 24];
  }
  for (; size > 0; --size)
    crc = t[0][(crc ^ *bytes++) & 0xFF] ^ crc >> 8;
  return ~crc;
}
