#include "removal/WinRemovalFiles.h"

#include <windows.h>

#include "runtime/WideFiles.h"

RemovalFiles::Kind WinRemovalFiles::KindOf(const std::string &path) {
  const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Kind::Missing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
    return Kind::Link;
  return attributes & FILE_ATTRIBUTE_DIRECTORY ? Kind::Folder : Kind::File;
}

uint64_t WinRemovalFiles::Size(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data))
    return 0;
  return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

unsigned long WinRemovalFiles::Crc(const std::string &path, uint32_t *crc) {
  return FileCrc32(path, crc);
}

std::vector<std::string> WinRemovalFiles::List(const std::string &folder) {
  return FolderNames(folder);
}

unsigned long WinRemovalFiles::RemoveFile(const std::string &path) {
  const WideString wide = LongPath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  // A deletion the file system did not carry out can still be reported as
  // done (Wine, for one, unlinks on the handle's close and says nothing when
  // that fails): a file still there was not removed.
  const bool deleted = DeleteFileW(wide.c_str()) != FALSE;
  const unsigned long error = deleted ? ERROR_ACCESS_DENIED : GetLastError();
  if (deleted && GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
    return 0;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(wide.c_str(), attributes); // kept as it was
  return error;
}

unsigned long WinRemovalFiles::RemoveFolder(const std::string &path) {
  return RemoveDirectoryW(LongPath(path).c_str()) ? 0 : GetLastError();
}
