#include "ShellRecorder.h"

#include <windows.h>

#include <shellapi.h>

#include "release/RegistryImport.h"

std::vector<ShellCall> shellCalls;

namespace {
bool forward = false;

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                             INT show) {
  shellCalls.push_back({owner == nullptr, verb ? verb : "<null>", file ? file : "<null>",
                        parameters ? parameters : "<null>", folder ? folder : "<null>", show});
  if (forward)
    return ShellExecuteA(owner, verb, file, parameters, folder, show);
  return reinterpret_cast<HINSTANCE>(42);
}
} // namespace

RecordedShell::RecordedShell() {
  shellCalls.clear();
  forward = false;
  SetShellExecute(RecordShell);
}

void RecordedShell::Forward() {
  forward = true;
}

RecordedShell::~RecordedShell() {
  SetShellExecute(nullptr);
}
