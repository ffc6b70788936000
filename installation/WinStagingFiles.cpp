#include "installation/WinStagingFiles.h"

#include <windows.h>

#include <vector>

namespace {
std::wstring Wide(const std::string &text, UINT codePage) {
  int length =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  if (length > 0)
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string Narrow(const wchar_t *text, size_t length, UINT codePage) {
  int size = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0, nullptr,
                                 nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  if (size > 0)
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), &out[0], size, nullptr,
                        nullptr);
  return out;
}

std::string Utf8(const wchar_t *text, size_t length) {
  return Narrow(text, length, CP_UTF8);
}

// An absolute path for the wide calls, past the 260-character limit.
std::wstring Long(const std::string &path) {
  std::wstring wide = Wide(path, CP_UTF8);
  if (wide.rfind(L"\\\\", 0) == 0)
    return L"\\\\?\\UNC\\" + wide.substr(2);
  return L"\\\\?\\" + wide;
}

unsigned long Result(BOOL done) {
  return done ? 0 : GetLastError();
}
} // namespace

std::string WinStagingFiles::TargetPath(const std::string &folder) {
  std::wstring wide = Wide(folder, CP_ACP);
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (wide.empty() || size == 0)
    return "";
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, &full[0], nullptr);
  return Utf8(full.data(), size);
}

std::string WinStagingFiles::AnsiPath(const std::string &path) {
  std::wstring wide = Wide(path, CP_UTF8);
  return Narrow(wide.data(), wide.size(), CP_ACP);
}

StagingFiles::Kind WinStagingFiles::KindOf(const std::string &path) {
  DWORD attributes = GetFileAttributesW(Long(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Kind::Missing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
    return Kind::Link;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    return Kind::Folder;
  return attributes & FILE_ATTRIBUTE_READONLY ? Kind::ReadOnlyFile : Kind::File;
}

std::vector<std::string> WinStagingFiles::List(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Long(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(Utf8(name.data(), name.size()));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

unsigned long WinStagingFiles::Move(const std::string &from, const std::string &to) {
  // A rename on one volume: never a copy, never over what is there.
  return Result(MoveFileExW(Long(from).c_str(), Long(to).c_str(), 0));
}

unsigned long WinStagingFiles::MakeFolder(const std::string &path, bool hidden) {
  std::wstring wide = Long(path);
  if (!CreateDirectoryW(wide.c_str(), nullptr))
    return GetLastError();
  if (hidden)
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN);
  return 0;
}

unsigned long WinStagingFiles::Remove(const std::string &path) {
  appended_.erase(path);
  std::wstring wide = Long(path);
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
    handle = FileHandle(CreateFileW(Long(file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH,
                                    nullptr));
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
  FileHandle handle(CreateFileW(Long(file).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (handle && ReadFile(handle.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  return text;
}
