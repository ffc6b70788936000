// A call of a system library loaded at run time, for calls the program
// needs only sometimes or only on newer systems.
#pragma once

#include <windows.h>

// The function `name` of `library`, as a pointer of type Function; nullptr
// when the library (not loaded) or the function is missing.
template <class Function> Function LibraryFunction(HMODULE library, const char *name) {
  if (!library)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}
