#include "extract/WideName.h"

#include <windows.h>

#include <cwchar>

#include "extract/ExtractTexts.h"

std::string WideToCodePage(const wchar_t *text, size_t count, unsigned codePage) {
  const int length = static_cast<int>(wcsnlen(text, count));
  if (length == 0)
    return {};
  // UTF-8 and UTF-7 refuse the flag; they have every character anyway.
  for (DWORD flags : {static_cast<DWORD>(WC_NO_BEST_FIT_CHARS), static_cast<DWORD>(0)}) {
    int size = WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
      continue;
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, text, length, &out[0], size, nullptr, nullptr);
    return out;
  }
  return {};
}

std::string EntryDisplayName(const RARHeaderDataEx &header) {
  const size_t wideCount = sizeof header.FileNameW / sizeof header.FileNameW[0];
  std::string name = WideToCodePage(header.FileNameW, wideCount, CP_ACP);
  if (!name.empty())
    return EntryName(name.data(), name.size());
  return EntryName(header.FileName, sizeof header.FileName);
}

WideString WideFolder(const std::string &folder) {
  const int size = static_cast<int>(folder.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, folder.data(), size, nullptr, 0);
  if (length <= 0)
    return {};
  WideString wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, folder.data(), size, &wide[0], length);
  // An absolute folder is resolved without the current directory.
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  WideString full(needed, L'\0');
  const DWORD written = needed ? GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr) : 0;
  if (written == 0 || written >= needed)
    return wide;
  full.resize(written);
  return full;
}
