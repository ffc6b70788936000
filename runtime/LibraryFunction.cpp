#include "runtime/LibraryFunction.h"

#include <string>

namespace {
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
} // namespace

HMODULE SystemLibrary(const char *name) {
  std::string folder =
      PlatformPath([](char *buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
  if (folder.empty())
    return nullptr;
  if (folder.back() != '\\')
    folder += '\\';
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // The library's own imports are looked for in its folder first, too.
  HMODULE library = LoadLibraryExA((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
