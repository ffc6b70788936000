// Compiled against the library's dll.hpp from the UnRAR source folder (with
// the library's flags, -w), never against extract/UnrarApi.h.
#include "UnrarHeaderProbe.h"

#include <windows.h>

#include <dll.hpp>

#include <cstddef>
#include <type_traits>

std::vector<UnrarLayoutItem> LibraryHeaderLayout() {
  return {
#define UNRAR_RECORD(R) {#R, static_cast<long long>(sizeof(R))},
#define UNRAR_FIELD(R, F) {#R "." #F, static_cast<long long>(offsetof(R, F))},
#define UNRAR_CONST(N) {#N, static_cast<long long>(N)},
#include "extract/UnrarLayout.inc"
#undef UNRAR_RECORD
#undef UNRAR_FIELD
#undef UNRAR_CONST
  };
}

bool LibraryCallbacksAreStdcall() {
  return std::is_same<CHANGEVOLPROC, int(__stdcall *)(char *, int)>::value &&
         std::is_same<PROCESSDATAPROC, int(__stdcall *)(unsigned char *, int)>::value;
}
