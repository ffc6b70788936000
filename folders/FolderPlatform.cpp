#include "folders/FolderPlatform.h"

#include <algorithm>

namespace {
const DWORD kVolumeLabel = 0x8; // attribute of a volume-label entry
const DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabel;

int Compare(const std::string &a, const std::string &b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1);
}
} // namespace

int LastErrorCode() {
  DWORD code = GetLastError();
  return code ? static_cast<int>(code) : ERROR_INVALID_FUNCTION;
}

int WinFolderSystem::CurrentDirectory(std::string &path) {
  char buffer[kMaxPathBytes];
  DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0)
    return LastErrorCode();
  // A directory that does not fit gives the size it needs, buffer unfilled.
  if (length >= sizeof buffer)
    return kPathTooLong;
  path.assign(buffer, length);
  return 0;
}

int WinFolderSystem::ChangeDirectory(const std::string &path) {
  if (!FitsPathBuffer(path))
    return kPathTooLong;
  return SetCurrentDirectoryA(path.c_str()) ? 0 : LastErrorCode();
}

bool WinFolderSystem::IsFile(const std::string &path) {
  if (!FitsPathBuffer(path))
    return false;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(path.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return false;
  FindClose(find);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WinFolderSystem::IsLeadByte(unsigned char byte) {
  return IsDBCSLeadByte(byte) != FALSE;
}

bool WinFolderSystem::VolumeFlags(const std::string &root, DWORD &flags) {
  flags = 0;
  return FitsPathBuffer(root) &&
         GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
}

bool WinFolderSystem::DbcsEnabled() {
  return GetSystemMetrics(SM_DBCSENABLED) != 0;
}

std::string WinFolderSystem::FileNameCase(const std::string &text, bool lower) {
  if (DbcsEnabled())
    return AsciiCase(text, lower, *this);
  std::string result = text;
  if (!result.empty()) {
    DWORD length = static_cast<DWORD>(result.size());
    if (lower)
      CharLowerBuffA(&result[0], length);
    else
      CharUpperBuffA(&result[0], length);
  }
  return result;
}

std::vector<std::string> WinFolderSystem::Subfolders(const std::string &directory) {
  std::vector<std::string> names;
  std::string pattern = JoinPath(directory, "*.*");
  if (!FitsPathBuffer(pattern))
    return names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    if ((found.dwFileAttributes & kSkipped) || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      continue;
    if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0)
      continue;
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  // Sort once and drop equal neighbours: inserting each name in place
  // would be quadratic. The stable sort keeps the first found of equals.
  std::stable_sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
    return Compare(a, b) == CSTR_LESS_THAN;
  });
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::string &a, const std::string &b) {
                            return Compare(a, b) == CSTR_EQUAL;
                          }),
              names.end());
  return names;
}

WinFolderSystem &WinFolderSystem::Default() {
  static WinFolderSystem instance;
  return instance;
}
