#include "tools/release-check/RecordCheck.h"

#include "installation/InstallationRecord.h"
#include "installation/ProgramListEntry.h"
#include "registry/RegFileReader.h"
#include "release/RegistryFileText.h"
#include "runtime/HexText.h"
#include "tools/release-check/AnsiText.h"

namespace {
constexpr int kArchiveLine = 6;
constexpr int kRegistryLine = 8;
// What the target folder is called where its path would stand.
constexpr char kTarget[] = "<target>";

std::string Upper(std::string text) {
  for (char &c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string ChangeText(const RegChange &change) {
  const std::string value =
      change.key + " " + (change.name.empty() ? "(default)" : "\"" + change.name + "\"");
  switch (change.kind) {
  case RegChange::Kind::SetKey:
    return "makes key " + change.key;
  case RegChange::Kind::DeleteKey:
    return "deletes key " + change.key;
  case RegChange::Kind::SetValue:
    return "sets value " + value;
  case RegChange::Kind::DeleteValue:
    return "deletes value " + value;
  }
  return "";
}

void ReadRegistryChanges(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings,
                         ReleaseFacts &facts) {
  const std::string &name = ini.lines[kRegistryLine - 1];
  const ReleaseFolder::Entry entry = name.empty() ? ReleaseFolder::Entry() : folder.Locate(name);
  std::string bytes;
  if (entry.kind != ReleaseFolder::Kind::File || !ReadWholeFile(entry.path, &bytes))
    return; // no registry file, or the finding that says so
  const RegFileReading reading =
      ReadRegFile(bytes, [](const std::string &ansi) { return AnsiToUtf8(ansi); });
  if (!reading.error.empty()) {
    facts.registryProblem = reading.error;
    // A file without a header has its finding already.
    if (HasRegistryHeader(RegistryFileText(bytes)))
      findings.Warning(kRegistryLine, "the registry file \"" + name + "\" cannot be followed (" +
                                          reading.error +
                                          "): an installation records none of its changes, "
                                          "so removing it leaves them");
    return;
  }
  facts.registryRead = true;
  for (const RegChange &change : reading.changes) {
    facts.registryChanges.push_back(ChangeText(change));
    facts.writesMachine =
        facts.writesMachine || change.key.compare(0, 19, "HKEY_LOCAL_MACHINE\\") == 0;
  }
}

// The record's section as it would be, without the registry's prior state
// (the user's machine holds that).
RecordSection Section(const ReleaseFacts &facts) {
  RecordSection section;
  section.title = AnsiToUtf8(facts.title);
  section.folders = facts.folders;
  for (const SetFile &file : facts.files)
    section.files.push_back({file.name, file.size, file.crc});
  return section;
}

std::vector<NamedRegistryValue> EntryValues(const ReleaseFacts &facts) {
  ProgramListFacts entry;
  entry.title = AnsiToUtf8(facts.title);
  entry.target = kTarget;
  entry.installedBytes =
      facts.unpackedBytes + facts.installerBytes + RecordSectionText(Section(facts)).size();
  return ProgramListValues(entry);
}

std::string ValueText(const NamedRegistryValue &value) {
  std::string text;
  if (value.name == "InstallDate")
    return "the day of the installation, YYYYMMDD";
  if (value.data.type != kRegDword && RegistryStringText(value.data.bytes, &text))
    return text;
  uint32_t number = 0;
  for (size_t i = value.data.bytes.size(); i-- > 0;)
    number = number << 8 | static_cast<unsigned char>(value.data.bytes[i]);
  return std::to_string(number);
}

std::string EntryKey(const ReleaseFacts &facts) {
  return ProgramListKey(false, "Installer-<16 hex digits of the target folder>") +
         (facts.writesMachine ? " (under HKEY_LOCAL_MACHINE when the installer may write there)"
                              : "");
}

std::string Json(const std::string &text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    if (c < 0x20)
      out += "\\u00" + HexText(c, 2, false);
    else
      out += static_cast<char>(c);
  }
  return out + "\"";
}

template <class Item, class Write>
std::string JsonList(const std::vector<Item> &items, Write write) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i)
    out += (i ? ", " : "") + write(items[i]);
  return out + "]";
}
} // namespace

void CheckRecord(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings,
                 ReleaseFacts &facts) {
  facts.title = ini.lines[0];
  std::vector<std::string> top;
  for (const SetFile &file : facts.files)
    top.push_back(file.name);
  for (const std::string &name : facts.folders)
    top.push_back(name);
  for (const std::string &name : top)
    for (const char *own : {kRecordName, kUninstallerName})
      if (Upper(name) == Upper(own))
        findings.Error(kArchiveLine, std::string("the set has its own ") + own +
                                         " at its top: the installer refuses to install it, "
                                         "as it adds the uninstaller and its record under "
                                         "those names");
  std::string program;
  const ReleaseFolder::Entry installer = folder.Locate("Installer.exe");
  if (installer.kind == ReleaseFolder::Kind::File && ReadWholeFile(installer.path, &program))
    facts.installerBytes = program.size();
  ReadRegistryChanges(folder, ini, findings, facts);
}

std::string FormatRecord(const ReleaseFacts &facts) {
  std::string out = std::string("record: ") + kTarget + "\\" + kRecordName +
                    ", beside the uninstaller " + kTarget + "\\" + kUninstallerName +
                    " (a copy of Installer.exe)\n";
  for (const SetFile &file : facts.files)
    out += "record: file " + file.name + " " + std::to_string(file.size) + " " +
           HexText(file.crc, 8, false) + "\n";
  for (const std::string &folder : facts.folders)
    out += "record: folder " + folder + " (when the target has none)\n";
  if (!facts.registryProblem.empty())
    out += "record: no registry changes: " + facts.registryProblem + "\n";
  for (const std::string &change : facts.registryChanges)
    out += "record: the registry file " + change + " (with what was there before)\n";
  out += "entry: " + EntryKey(facts) + "\n";
  for (const NamedRegistryValue &value : EntryValues(facts))
    out += "entry: " + value.name + " = " + ValueText(value) + "\n";
  return out;
}

std::string RecordJson(const ReleaseFacts &facts) {
  std::string out = "  \"record\": {\"name\": " + Json(kRecordName) +
                    ", \"uninstaller\": " + Json(kUninstallerName) + ",\n    \"files\": ";
  out += JsonList(facts.files, [](const SetFile &file) {
    return "{\"path\": " + Json(AnsiToUtf8(file.name)) +
           ", \"size\": " + std::to_string(file.size) + ", \"crc32\": \"" +
           HexText(file.crc, 8, false) + "\"}";
  });
  out += ",\n    \"folders\": " +
         JsonList(facts.folders, [](const std::string &f) { return Json(AnsiToUtf8(f)); });
  out += ",\n    \"registry\": ";
  out += facts.registryRead ? JsonList(facts.registryChanges, Json) : "null";
  out += ", \"registry_problem\": " +
         (facts.registryProblem.empty() ? "null" : Json(facts.registryProblem)) + "},\n";
  out += "  \"program_list_entry\": {\"key\": " + Json(EntryKey(facts)) + ", \"values\": {";
  const std::vector<NamedRegistryValue> values = EntryValues(facts);
  for (size_t i = 0; i < values.size(); ++i)
    out += (i ? ", " : "") + Json(values[i].name) + ": " +
           (values[i].data.type == kRegDword ? ValueText(values[i]) : Json(ValueText(values[i])));
  return out + "}},\n";
}
