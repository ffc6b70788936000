#include "installation/ProgramListEntry.h"

#include "runtime/HexText.h"

namespace {
constexpr char kUninstallKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kIdPrefix[] = "Installer-";

// The folder as one spelling: no long-path prefix, backslashes, no
// trailing backslash (a drive's root keeps it).
std::string FolderSpelling(std::string folder) {
  if (folder.compare(0, 8, "\\\\?\\UNC\\") == 0)
    folder = "\\\\" + folder.substr(8);
  else if (folder.compare(0, 4, "\\\\?\\") == 0)
    folder = folder.substr(4);
  for (char &c : folder)
    if (c == '/')
      c = '\\';
  while (folder.size() > 1 && folder.back() == '\\')
    folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':')
    folder += '\\';
  return folder;
}

std::string Join(const std::string &folder, const std::string &name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

RegistryData Text(const std::string &text) {
  return {true, kRegSz, RegistryStringBytes(text)};
}

RegistryData Dword(uint32_t value) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8)
    bytes += static_cast<char>(value >> shift & 0xFF);
  return {true, kRegDword, bytes};
}
} // namespace

std::string ProgramListId(const std::string &target) {
  // 64-bit FNV-1a: two folders sharing an entry by chance is out of reach.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char c : RegistryNameKey(FolderSpelling(target)))
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return kIdPrefix + HexText(hash, 16);
}

std::string ProgramListKey(bool machineWide, const std::string &id) {
  return (machineWide ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER") + std::string(kUninstallKey) +
         id;
}

bool IsProgramListKey(const std::string &key) {
  const size_t last = key.rfind('\\');
  const std::string id = key.substr(last + 1);
  if (last == std::string::npos || id.size() != sizeof kIdPrefix - 1 + 16 ||
      id.compare(0, sizeof kIdPrefix - 1, kIdPrefix) != 0)
    return false;
  return key == ProgramListKey(true, id) || key == ProgramListKey(false, id);
}

std::string UninstallCommand(const std::string &target, bool quiet) {
  return "\"" + Join(FolderSpelling(target), kUninstallerName) + "\" " + kUninstallSwitch +
         (quiet ? " /S" : "");
}

std::vector<NamedRegistryValue> ProgramListValues(const ProgramListFacts &facts) {
  const std::string folder = FolderSpelling(facts.target);
  const uint64_t kilobytes = (facts.installedBytes + 1023) / 1024;
  auto digits = [](int value, int count) {
    std::string text(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i, value /= 10)
      text[static_cast<size_t>(i)] = static_cast<char>('0' + value % 10);
    return text;
  };
  const std::string date = digits(facts.year, 4) + digits(facts.month, 2) + digits(facts.day, 2);
  return {
      {"DisplayName", Text(facts.title)},
      {"InstallLocation", Text(folder)},
      {"UninstallString", Text(UninstallCommand(folder, false))},
      {"QuietUninstallString", Text(UninstallCommand(folder, true))},
      {"DisplayIcon", Text(Join(folder, kUninstallerName) + ",0")},
      {"EstimatedSize",
       Dword(kilobytes > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<uint32_t>(kilobytes))},
      {"InstallDate", Text(date)},
      {"NoModify", Dword(1)},
      {"NoRepair", Dword(1)},
  };
}
