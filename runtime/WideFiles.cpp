#include "runtime/WideFiles.h"

#include <windows.h>

#include <vector>

#include "runtime/Crc32.h"
#include "runtime/Handles.h"

WideString WideText(const std::string &text, unsigned codePage) {
  const int length =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideString wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0)
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string CodePageText(const wchar_t *text, size_t length, unsigned codePage) {
  const int size = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), &out[0], size, nullptr,
                        nullptr);
  return out;
}

std::string UpperCaseText(const std::string &text) {
  WideString wide = WideText(text, CP_UTF8);
  if (!wide.empty())
    CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
  return CodePageText(wide, CP_UTF8);
}

WideString LongPath(const std::string &path) {
  WideString wide = WideText(path, CP_UTF8);
  if (wide.rfind(L"\\\\", 0) == 0)
    return L"\\\\?\\UNC\\" + wide.substr(2);
  return L"\\\\?\\" + wide;
}

std::string LongFormOf(const std::string &path) {
  WideString full(32768, L'\0');
  const DWORD length = GetLongPathNameW(LongPath(path).c_str(), &full[0], 32768);
  if (length == 0 || length >= 32768)
    return path;
  full.resize(length);
  if (full.rfind(L"\\\\?\\UNC\\", 0) == 0)
    full = L"\\\\" + full.substr(8);
  else if (full.rfind(L"\\\\?\\", 0) == 0)
    full = full.substr(4);
  return CodePageText(full, CP_UTF8);
}

std::string RunningProgramPath() {
  WideString path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, &path[0], 32768);
  return CodePageText(path.data(), length < 32768 ? length : 0, CP_UTF8);
}

std::vector<std::string> FolderNames(const std::string &folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(LongPath(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    const WideString name = found.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(CodePageText(name, CP_UTF8));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

namespace {
// Hands the file's content to `take` block by block.
template <class Take> unsigned long ReadBlocks(const std::string &path, Take take) {
  FileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file)
    return GetLastError();
  std::vector<char> buffer(1 << 16);
  DWORD read = 0;
  while (true) {
    if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
      return GetLastError();
    if (read == 0)
      return 0;
    take(buffer.data(), read);
  }
}
} // namespace

unsigned long FileCrc32(const std::string &path, uint32_t *crc) {
  *crc = 0;
  return ReadBlocks(path, [crc](const char *data, DWORD size) { *crc = Crc32(data, size, *crc); });
}

unsigned long ReadFileContent(const std::string &path, std::string *bytes) {
  bytes->clear();
  return ReadBlocks(path, [bytes](const char *data, DWORD size) { bytes->append(data, size); });
}

unsigned long WriteFileContent(const std::string &path, const std::string &bytes) {
  FileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
  if (!file)
    return GetLastError();
  DWORD written = 0;
  if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
    return GetLastError();
  if (written != bytes.size())
    return ERROR_HANDLE_DISK_FULL;
  return file.Close() ? 0 : GetLastError();
}
