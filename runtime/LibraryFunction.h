// Libraries loaded at run time and their calls. Releases are run from
// download folders, where anything may lie beside the program, so a system
// library is only ever loaded from the system folder; the one library that
// belongs beside the program (unrar.dll) is loaded by the full path of the
// program's own folder.
#pragma once

#include <windows.h>

#include <string>

// Takes the current directory (and, where the platform can, every folder
// but the system folder) out of the loader's search for the rest of the
// process: for libraries that system code loads by name, too. First thing
// at start-up.
void RestrictLibrarySearch();

// The system library `name` ("oleacc.dll") from the system folder, never
// from the program's folder or the current directory; nullptr when it is
// missing there. A name the program's manifest maps to a side-by-side
// assembly (comctl32.dll, version 6) comes from that assembly. No box from
// the platform when it cannot be loaded.
HMODULE SystemLibrary(const char *name);

// The folder of the running program: no trailing backslash unless it is a
// drive's root; "" when the platform cannot say.
std::string ProgramFolder();

// The function `name` of `library`, as a pointer of type Function; nullptr
// when the library (not loaded) or the function is missing.
template <class Function> Function LibraryFunction(HMODULE library, const char *name) {
  if (!library)
    return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}
