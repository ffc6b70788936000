#include "folders/FolderPlatform.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/FileQueries.h"
#include "runtime/WideString.h"

namespace {
const DWORD kVolumeLabel = 0x8; // attribute of a volume-label entry
const DWORD kSkipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | kVolumeLabel;

// The code page CompareStringA converts with for the user's locale.
UINT UserCodePage() {
  char text[8] = "";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text);
  UINT page = static_cast<UINT>(atoi(text));
  return page ? page : CP_ACP;
}

WideString Widen(const std::string &text, UINT page) {
  int length = MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideString wide(static_cast<size_t>(length), L'\0');
  if (length > 0)
    MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

// Ascending order of CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE),
// of names that compare equal the first one kept. The names are widened
// once, as CompareStringA would on every call, and sorted once: inserting
// each name in place would be quadratic.
std::vector<std::string> SortedUnique(std::vector<std::string> names) {
  UINT page = UserCodePage();
  std::vector<WideString> wide;
  wide.reserve(names.size());
  for (const std::string &name : names)
    wide.push_back(Widen(name, page));
  auto compare = [&](size_t a, size_t b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide[a].c_str(),
                          static_cast<int>(wide[a].size()), wide[b].c_str(),
                          static_cast<int>(wide[b].size()));
  };
  std::vector<size_t> order(names.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return compare(a, b) == CSTR_LESS_THAN; });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (size_t i = 0; i < order.size(); ++i)
    if (i == 0 || compare(order[i - 1], order[i]) != CSTR_EQUAL)
      sorted.push_back(std::move(names[order[i]]));
  return sorted;
}
} // namespace

int LastErrorCode() {
  DWORD code = GetLastError();
  return code ? static_cast<int>(code) : ERROR_INVALID_FUNCTION;
}

int ReadCurrentDirectory(std::string &path) {
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

int WinFolderSystem::CurrentDirectory(std::string &path) {
  return ReadCurrentDirectory(path);
}

int WinFolderSystem::ChangeDirectory(const std::string &path) {
  if (!FitsPathBuffer(path))
    return kPathTooLong;
  return SetCurrentDirectoryA(path.c_str()) ? 0 : LastErrorCode();
}

bool WinFolderSystem::IsFile(const std::string &path) {
  return FitsPathBuffer(path) && ::IsFile(path);
}

bool WinFolderSystem::DoubleByteSystem() {
  return CodePage::Platform().DoubleByteSystem();
}

bool WinFolderSystem::IsLeadByte(unsigned char byte) {
  return CodePage::Platform().IsLeadByte(byte);
}

bool WinFolderSystem::VolumeFlags(const std::string &root, DWORD &flags) {
  flags = 0;
  return FitsPathBuffer(root) &&
         GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0);
}

std::vector<std::string> WinFolderSystem::Subfolders(const std::string &directory) {
  return SortedUnique(FolderNames(directory));
}

std::vector<std::string> WinFolderSystem::FolderNames(const std::string &directory) {
  std::vector<std::string> names;
  std::string pattern = JoinPath(directory, "*.*", *this);
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
  return names;
}

WinFolderSystem &WinFolderSystem::Platform() {
  static WinFolderSystem instance;
  return instance;
}
