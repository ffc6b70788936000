// SetSuspendState for UnRAR's Shutdown (the command-line tool's -ioff
// switch, which the library never runs), without importing powrprof.dll:
// the loader would look for it beside the program first, and a release's
// folder may hold anything. Taken from the system folder when called.
#include <windows.h>

#include <powrprof.h>

extern "C" BOOLEAN WINAPI SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN noWakeEvents) {
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, MAX_PATH - 16);
  if (length == 0 || length >= MAX_PATH - 16)
    return FALSE;
  lstrcatA(path, "\\powrprof.dll");
  HMODULE library = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  auto suspend = reinterpret_cast<BOOLEAN(WINAPI *)(BOOLEAN, BOOLEAN, BOOLEAN)>(
      reinterpret_cast<void *>(GetProcAddress(library, "SetSuspendState")));
  return suspend ? suspend(hibernate, force, noWakeEvents) : FALSE;
}
