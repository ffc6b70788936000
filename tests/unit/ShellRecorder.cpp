#include "ShellRecorder.h"

#include <windows.h>

#include "extract/ExtractArchive.h"

std::vector<ShellCall> shellCalls;

namespace {
HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                             INT show) {
  shellCalls.push_back({owner == nullptr, verb ? verb : "<null>", file ? file : "<null>",
                        parameters ? parameters : "<null>", folder ? folder : "<null>", show});
  return reinterpret_cast<HINSTANCE>(42);
}
} // namespace

RecordedShell::RecordedShell() {
  shellCalls.clear();
  SetShellExecute(RecordShell);
}

RecordedShell::~RecordedShell() {
  SetShellExecute(nullptr);
}
