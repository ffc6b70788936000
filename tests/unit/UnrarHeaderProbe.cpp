// Compiled against the library's dll.hpp from the UnRAR source folder (with
// the library's flags, -w), never against extract/UnrarApi.h.
#include "UnrarHeaderProbe.h"

#include <windows.h>

#include <dll.hpp>

#include <cstddef>
#include <type_traits>

std::vector<UnrarLayoutItem> LibraryHeaderLayout() {
  return {
#include "UnrarLayoutItems.inc"
  };
}

bool LibraryCallbacksAreStdcall() {
  return std::is_same<CHANGEVOLPROC, int(__stdcall *)(char *, int)>::value &&
         std::is_same<PROCESSDATAPROC, int(__stdcall *)(unsigned char *, int)>::value;
}
