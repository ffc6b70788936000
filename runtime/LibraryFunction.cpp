#include "runtime/LibraryFunction.h"

#include <string>

namespace {
// Flags of LoadLibraryEx and SetDefaultDllDirectories, newer than the
// platform headers the program is built against.
constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32

// A path the platform writes into a buffer of `size` bytes and returns the
// length of: grown until the path fits.
template <class Fill> std::string PlatformPath(Fill fill) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = fill(&path[0], static_cast<DWORD>(path.size()));
    if (length == 0)
      return "";
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

HMODULE Kernel() {
  return GetModuleHandleA("kernel32.dll");
}

// The loader can search the system folder alone (Windows 8, and 7 or Vista
// with its update): the same call tells.
bool SystemOnlySearch() {
  static const bool offered = LibraryFunction<FARPROC>(Kernel(), "SetDefaultDllDirectories");
  return offered;
}

// The program's manifest maps `name` to a side-by-side assembly, where the
// loader takes it from before any search.
bool ManifestAssembly(const char *name) {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof data;
  return FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, name,
                                  &data) != FALSE;
}

HMODULE LoadSystemLibrary(const char *name) {
  if (SystemOnlySearch() || ManifestAssembly(name))
    return LoadLibraryExA(name, nullptr, SystemOnlySearch() ? kSearchSystem32 : 0);
  std::string folder =
      PlatformPath([](char *buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
  if (folder.empty())
    return nullptr;
  if (folder.back() != '\\')
    folder += '\\';
  // The library's own imports are looked for in its folder first, too.
  return LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
} // namespace

void RestrictLibrarySearch() {
  using SetDirectories = BOOL(WINAPI *)(DWORD);
  using SetDirectory = BOOL(WINAPI *)(LPCSTR);
  if (auto setDefault = LibraryFunction<SetDirectories>(Kernel(), "SetDefaultDllDirectories"))
    setDefault(kSearchSystem32);
  // Older platforms (XP SP1 on): "" takes the current directory out of the
  // search; the program's folder stays in it, so the program imports only
  // the platform's known libraries.
  else if (auto setDirectory = LibraryFunction<SetDirectory>(Kernel(), "SetDllDirectoryA"))
    setDirectory("");
}

HMODULE SystemLibrary(const char *name) {
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE library = LoadSystemLibrary(name);
  SetErrorMode(oldMode);
  return library;
}

std::string ProgramFolder() {
  std::string path = PlatformPath(
      [](char *buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos)
    return "";
  return path.substr(0, cut == 2 ? 3 : cut);
}
