#include "unattended/TargetFolder.h"

#include <windows.h>

#include "folders/FolderPath.h"
#include "runtime/FileQueries.h"

namespace {
// Visits the folders from the root down to `path` until `visit` says no.
template <class Visit> void EachLevel(const std::string &path, Visit visit) {
  for (const std::string &level :
       FolderLevels(path, AbsoluteRootLength(path), CodePage::Platform()))
    if (!visit(level))
      return;
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

unsigned long CreateFolderWithParents(const std::string &path, std::vector<std::string> *created) {
  DWORD error = 0;
  EachLevel(path, [&error, created](const std::string &level) {
    if (IsFolder(level))
      return true;
    if (CreateDirectoryA(level.c_str(), nullptr)) {
      created->push_back(level);
      return true;
    }
    error = GetLastError();
    return false;
  });
  if (error == 0 && !IsFolder(path))
    error = ERROR_PATH_NOT_FOUND;
  return error;
}

void RemoveCreatedFolders(const std::vector<std::string> &created) {
  for (auto level = created.rbegin(); level != created.rend(); ++level)
    RemoveDirectoryA(level->c_str()); // refused while it holds anything
}
