#include "unattended/TargetFolder.h"

#include <windows.h>

#include "runtime/FileQueries.h"
#include "unattended/CommandLine.h"

namespace {
bool IsSlash(char c) {
  return c == '\\' || c == '/';
}

// The folders from the root down to `path`, each a prefix of it that ends
// before a slash (the root keeps its own).
template <class Visit> void EachLevel(const std::string &path, Visit visit) {
  const size_t root = AbsoluteRootLength(path);
  for (size_t end = root; end <= path.size(); ++end) {
    if (end == root || end == path.size() || IsSlash(path[end])) {
      if (end > 0 && (end == root || !IsSlash(path[end - 1])) && !visit(path.substr(0, end)))
        return;
    }
  }
}
} // namespace

std::string NearestExistingFolder(const std::string &path) {
  std::string nearest;
  EachLevel(path, [&nearest](const std::string &level) {
    if (!IsFolder(level))
      return false;
    nearest = level;
    return true;
  });
  return nearest;
}

unsigned long CreateFolderWithParents(const std::string &path) {
  DWORD error = 0;
  EachLevel(path, [&error](const std::string &level) {
    if (IsFolder(level) || CreateDirectoryA(level.c_str(), nullptr))
      return true;
    error = GetLastError();
    return false;
  });
  if (error == 0 && !IsFolder(path))
    error = ERROR_PATH_NOT_FOUND;
  return error;
}
