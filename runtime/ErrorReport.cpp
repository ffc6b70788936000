#include "runtime/ErrorReport.h"

#include <windows.h>

#include <cstdlib>

#include "runtime/Exception.h"
#include "runtime/HexText.h"

namespace {
constexpr size_t kMostReportChars = 1023;

// Module file name (without folder) and module-relative address for a code
// address; falls back to the program file when the address is in no module.
void LocateAddress(const void *address, std::string *module, uintptr_t *offset) {
  char path[MAX_PATH] = "";
  MEMORY_BASIC_INFORMATION info{};
  if (address && VirtualQuery(address, &info, sizeof info) == sizeof info &&
      info.State == MEM_COMMIT &&
      GetModuleFileNameA(static_cast<HMODULE>(info.AllocationBase), path, sizeof path) != 0) {
    *offset =
        reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.AllocationBase);
  } else {
    GetModuleFileNameA(nullptr, path, sizeof path);
    *offset = reinterpret_cast<uintptr_t>(address) - 4096;
  }
  const char *name = path;
  for (const char *p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':')
      name = p + 1;
  *module = name;
}
} // namespace

std::string ProgramErrorText(const char *className, const std::string &message,
                             const void *address) {
  std::string module;
  uintptr_t offset = 0;
  LocateAddress(address, &module, &offset);
  const char *stop = (!message.empty() && message.back() != '.') ? "." : "";
  std::string text = std::string("Exception ") + className + " in module " + module + " at " +
                     HexText(offset, 8) + ".\n" + message + stop;
  // As long as the report's box has always taken.
  if (text.size() > kMostReportChars)
    text.resize(kMostReportChars);
  return text;
}

void ShowProgramReport(const char *className, const std::string &message, const void *address) {
  std::string text = ProgramErrorText(className, message, address);
  MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

void ShowProgramReport(const Exception &error) {
  ShowProgramReport(error.ClassName(), error.Message(), error.Address());
}
