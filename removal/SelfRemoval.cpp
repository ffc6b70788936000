#include "removal/SelfRemoval.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "runtime/Handles.h"
#include "runtime/HexText.h"
#include "runtime/WideFiles.h"

namespace {
// The copy's switch, then the handle of the process to wait for and the
// paths as hexadecimal UTF-8, so no code page or quoting can change them.
constexpr char kSwitch[] = "/~REMOVE-AFTER";
// How long the copy tries to delete the file once the uninstaller has ended.
constexpr DWORD kDeleteMilliseconds = 10000;

std::string Hex(const std::string &text) {
  std::string hex;
  for (unsigned char c : text)
    hex += HexText(c, 2);
  return hex;
}

std::string Unhex(const std::string &hex) {
  std::string text;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int high = HexDigitValue(hex[i]), low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0)
      return ""; // not written by StartSelfRemoval: names nothing
    text += static_cast<char>(high << 4 | low);
  }
  return text;
}

WideString TemporaryFolder() {
  wchar_t folder[MAX_PATH + 1] = L"";
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return length > 0 && length <= MAX_PATH ? folder : L"";
}
} // namespace

bool StartSelfRemoval(const std::string &file, const std::string &folder) {
  const WideString temporary = TemporaryFolder();
  if (temporary.empty())
    return false;
  const WideString copy =
      temporary + WideText("Uninstall-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount()) + ".exe",
                           CP_ACP);
  if (!CopyFileW(LongPath(RunningProgramPath()).c_str(), copy.c_str(), TRUE))
    return false;
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  FileHandle deleteOnClose(CreateFileW(copy.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                       &inherited, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE,
                                       nullptr));
  HANDLE self = nullptr;
  if (!deleteOnClose || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(),
                                         GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0)) {
    deleteOnClose.Close();
    DeleteFileW(copy.c_str());
    return false;
  }
  FileHandle selfOwner(self);
  WideString command =
      L"\"" + copy + L"\" " +
      WideText(std::string(kSwitch) + " " + std::to_string(reinterpret_cast<uintptr_t>(self)) +
                   " " + Hex(file) + (folder.empty() ? "" : " " + Hex(folder)),
               CP_ACP);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // No standard handles: a caller that reads the uninstaller's output must
  // not wait for the copy too.
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION process{};
  // Started in the temporary folder: a current directory in the target
  // would keep it from being removed.
  if (!CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                      temporary.c_str(), &startup, &process)) {
    deleteOnClose.Close();
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool IsSelfRemovalRun(const std::vector<std::string> &args) {
  return (args.size() == 3 || args.size() == 4) && args[0] == kSwitch;
}

int FinishSelfRemoval(const std::vector<std::string> &args) {
  HANDLE uninstaller =
      reinterpret_cast<HANDLE>(static_cast<uintptr_t>(std::strtoul(args[1].c_str(), nullptr, 10)));
  WaitForSingleObject(uninstaller, INFINITE);
  CloseHandle(uninstaller);
  const WideString file = LongPath(Unhex(args[2]));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  // The file may stay in use a moment after its process is gone.
  for (DWORD waited = 0; !DeleteFileW(file.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
                         waited < kDeleteMilliseconds;
       waited += 100)
    Sleep(100);
  if (args.size() == 4)
    RemoveDirectoryW(LongPath(Unhex(args[3])).c_str()); // only when empty
  return 0;
}
