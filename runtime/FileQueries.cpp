#include "runtime/FileQueries.h"

#include <windows.h>

#include "runtime/Handles.h"

long long FileSize(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool IsFile(const std::string &path) {
  return FileSize(path) >= 0;
}

bool IsFolder(const std::string &path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileBytes(const std::string &path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD size = file ? GetFileSize(file.Get(), nullptr) : INVALID_FILE_SIZE;
  if (size == INVALID_FILE_SIZE)
    return {};
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (size != 0 && !ReadFile(file.Get(), &bytes[0], size, &read, nullptr))
    read = 0;
  bytes.resize(read);
  return bytes;
}
