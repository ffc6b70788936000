#include "unattended/RegistryImport.h"

#include <windows.h>

#include <vector>

#include "runtime/Handles.h"

std::string ImportRegistryFile(const std::string &fileName) {
  std::string command = "regedit.exe /s \"" + fileName + "\"";
  std::vector<char> commandLine(command.begin(), command.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return "Cannot start the registry editor (error " + std::to_string(GetLastError()) + ").";
  FileHandle processHandle(process.hProcess), threadHandle(process.hThread);
  DWORD exitCode = 0;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode))
    return "Cannot wait for the registry editor (error " + std::to_string(GetLastError()) + ").";
  if (exitCode != 0)
    return "The registry editor did not import " + fileName + " (exit code " +
           std::to_string(exitCode) + ").";
  return "";
}
