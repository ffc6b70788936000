// Whether an entry's header carries the CRC-32 of its whole file, as the
// installation's record needs it. Not for an entry that goes on in the next
// volume (its header holds that part's CRC), one that is encrypted (the CRC
// is mixed with the password), one with another hash, or one of the format
// before RAR 1.5 (which has a checksum of its own): their CRC is taken from
// the data as it passes. Portable.
#pragma once

#include "extract/UnrarApi.h"

inline bool HeaderHoldsFileCrc(const RARHeaderDataEx &header) {
  return header.HashType == RAR_HASH_CRC32 && header.UnpVer >= 15 &&
         (header.Flags & (RHDF_SPLITBEFORE | RHDF_SPLITAFTER | RHDF_ENCRYPTED)) == 0;
}
