#include "unattended/Console.h"

#include <windows.h>

#include "unattended/CommandLine.h"

namespace {
bool Usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// The parent's console, attached at the first need and kept.
HANDLE ParentConsole() {
  static HANDLE console = [] {
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
      return INVALID_HANDLE_VALUE;
    return CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
  }();
  return console;
}
} // namespace

bool WriteToConsole(const std::string &text, bool error) {
  HANDLE handle = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (!Usable(handle))
    handle = ParentConsole();
  if (!Usable(handle))
    return false;
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void ShowUsage() {
  if (!WriteToConsole(kUsageText, false))
    MessageBoxA(nullptr, kUsageText, "Installer", MB_OK | MB_ICONINFORMATION);
}
