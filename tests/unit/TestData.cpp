#include "TestData.h"

#include <windows.h>

std::string ArchivesFolder() {
  const std::string hostPath = std::string(INSTALLER_TEST_DATA) + "/archives";
  using ToDos = WCHAR *(__cdecl *)(const char *);
  auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (hostPath[0] == '/' && toDos)
    if (WCHAR *wide = toDos(hostPath.c_str())) {
      char narrow[MAX_PATH * 2] = {};
      WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
      HeapFree(GetProcessHeap(), 0, wide);
      return narrow;
    }
  char full[MAX_PATH * 2] = {};
  GetFullPathNameA(hostPath.c_str(), sizeof full, full, nullptr);
  return full;
}
