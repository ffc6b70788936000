#include "installation/WinStagingFiles.h"

#include <windows.h>

#include <vector>

#include "runtime/WideFiles.h"

namespace {
std::string Utf8(const wchar_t *text, size_t length) {
  return CodePageText(text, length, CP_UTF8);
}

unsigned long Result(BOOL done) {
  return done ? 0 : GetLastError();
}
} // namespace

std::string WinStagingFiles::TargetPath(const std::string &folder) {
  WideString wide = WideText(folder, CP_ACP);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (wide.empty() || size == 0)
    return "";
  WideString full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, &full[0], nullptr);
  return Utf8(full.data(), size);
}

std::string WinStagingFiles::AnsiPath(const std::string &path) {
  WideString wide = WideText(path, CP_UTF8);
  return CodePageText(wide, CP_ACP);
}

StagingFiles::Kind WinStagingFiles::KindOf(const std::string &path) {
  DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Kind::Missing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
    return Kind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return Kind::Folder;
  return attributes & FILE_ATTRIBUTE_READONLY ? Kind::ReadOnlyFile : Kind::File;
}

std::vector<std::string> WinStagingFiles::List(const std::string &folder) {
  return FolderNames(folder);
}

unsigned long WinStagingFiles::Move(const std::string &from, const std::string &to) {
  // A rename on one volume: never a copy, never over what is there.
  return Result(MoveFileExW(LongPath(from).c_str(), LongPath(to).c_str(), 0));
}

unsigned long WinStagingFiles::MakeFolder(const std::string &path, bool hidden) {
  WideString wide = LongPath(path);
  if (!CreateDirectoryW(wide.c_str(), nullptr))
    return GetLastError();
  if (hidden)
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN);
  return 0;
}

unsigned long WinStagingFiles::Remove(const std::string &path) {
  appended_.erase(path);
  WideString wide = LongPath(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return GetLastError();
  // A link to a folder is removed as a folder, which leaves what it points to.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return Result(RemoveDirectoryW(wide.c_str()));
  // Staged files keep the attributes the set gives them.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return Result(DeleteFileW(wide.c_str()));
}

unsigned long WinStagingFiles::Append(const std::string &file, const std::string &text) {
  FileHandle &handle = appended_[file];
  if (!handle) {
    handle = FileHandle(CreateFileW(LongPath(file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                    nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!handle) {
      appended_.erase(file);
      return GetLastError();
    }
  }
  DWORD written = 0;
  if (!WriteFile(handle.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
    return GetLastError();
  return written == text.size() ? 0 : ERROR_HANDLE_DISK_FULL;
}

std::string WinStagingFiles::Read(const std::string &file) {
  std::string text;
  return ReadFileContent(file, &text) == 0 ? text : std::string();
}
