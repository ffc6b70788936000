#include "unattended/RegistryImport.h"

#include <windows.h>

#include <vector>

#include "runtime/Handles.h"
#include "unattended/RegistryFileText.h"

namespace {
// Enough for the header in either encoding, after a few blank lines.
constexpr DWORD kHeadBytes = 4096;

std::string FileHead(const std::string &fileName) {
  FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string head(kHeadBytes, '\0');
  DWORD read = 0;
  if (!file || !ReadFile(file.Get(), head.data(), kHeadBytes, &read, nullptr))
    read = 0;
  head.resize(read);
  return head;
}
} // namespace

std::string ImportRegistryFile(const std::string &fileName) {
  // The editor's silent mode ends with exit code 0 on a file it refuses
  // (Wine's does so on a missing one too): what it would refuse is found
  // here.
  if (!HasRegistryHeader(RegistryFileText(FileHead(fileName))))
    return "The registry file " + fileName +
           " has no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" header.";
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
