#include "tools/release-check/ReleaseCheck.h"

#include "extract/ArchiveLibrary.h"
#include "runtime/IoMessages.h"
#include "runtime/StrToInt.h"
#include "tools/release-check/ArchiveCheck.h"
#include "tools/release-check/ContentCheck.h"
#include "tools/release-check/IniCheck.h"
#include "tools/release-check/LabelFit.h"
#include "tools/release-check/RecordCheck.h"

#include <algorithm>

namespace {
using Kind = ReleaseFolder::Kind;

std::string Quoted(const std::string &text) {
  return "\"" + text + "\"";
}

// A file that install.ini names on `line`: the entry, or a finding.
bool NamedFile(const ReleaseFolder &folder, const ReleaseIni &ini, int line,
               const std::string &consequence, Findings &findings, ReleaseFolder::Entry *entry) {
  const std::string &name = ini.lines[line - 1];
  const std::string what = std::string("the ") + IniLineMeaning(line);
  if (name.empty()) {
    findings.Error(line, what + " is empty: " + consequence);
    return false;
  }
  *entry = folder.Locate(name);
  if (entry->kind == Kind::File)
    return true;
  findings.Error(line, what + " " + Quoted(name) +
                           (entry->kind == Kind::Folder ? " names a folder, not a file: "
                                                        : " names no file in the folder: ") +
                           consequence);
  return false;
}

void CheckTextFiles(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings) {
  ReleaseFolder::Entry entry;
  NamedFile(folder, ini, 3, "the splash window's notes command shows nothing", findings, &entry);
  NamedFile(folder, ini, 4, "the splash window's description command shows nothing", findings,
            &entry);
}

void CheckRegistryFile(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings) {
  // No registry file is a release without settings: the installer skips it.
  if (ini.lines[7].empty())
    return;
  ReleaseFolder::Entry entry;
  if (!NamedFile(folder, ini, 8, "nothing is imported after the installation", findings, &entry))
    return;
  std::string bytes;
  if (!ReadWholeFile(entry.path, &bytes)) {
    findings.Error(8, "the registry file " + Quoted(ini.lines[7]) + " cannot be read");
    return;
  }
  const std::string problem = RegistryFileProblem(bytes);
  if (!problem.empty())
    findings.Warning(8, "the registry file " + Quoted(ini.lines[7]) + ": " + problem);
}

void CheckArchiveSet(const ReleaseFolder &folder, const ReleaseIni &ini, Findings &findings,
                     ReleaseFacts &facts) {
  ReleaseFolder::Entry entry;
  const std::string &name = ini.lines[5];
  const std::string path = folder.Path() + "\\" + name;
  if (!NamedFile(folder, ini, 6, "the installer shows \"Cannot open " + path + "\"", findings,
                 &entry))
    return;
  std::string problem;
  std::unique_ptr<ArchiveLibrary> library = LoadArchiveLibrary(folder, &problem);
  if (!library) {
    findings.Error(6, "the set cannot be tested: " + problem);
    return;
  }
  CheckArchive(*library, entry.path, name, findings, facts);
}

void CheckRequiredSpace(const ReleaseIni &ini, const ReleaseFacts &facts, Findings &findings) {
  int32_t megabytes = 0;
  if (!facts.archiveTested || !TryStrToInt(ini.lines[6], &megabytes))
    return;
  const uint64_t bytes = facts.unpackedBytes;
  if (megabytes >= 0 && static_cast<uint64_t>(megabytes) * 1000000u >= bytes)
    return;
  const uint64_t needed = (bytes + 999999u) / 1000000u;
  findings.Warning(7, "the required megabytes " + Quoted(ini.lines[6]) +
                          " are fewer than the set unpacks to (" + std::to_string(bytes) +
                          " bytes): the folder dialog would accept a drive without room; write " +
                          std::to_string(needed) + " or more");
}

void CheckProgramFiles(const ReleaseFolder &folder, Findings &findings) {
  const struct {
    const char *name;
    const char *consequence;
  } kNeeded[] = {
      {"Installer.exe", "there is no program to start"},
      {"unrar.dll", "the installer cannot unpack the set"},
      {"install.mid", "the installer ends at start-up without a window"},
  };
  for (const auto &needed : kNeeded) {
    const ReleaseFolder::Entry entry = folder.Locate(needed.name);
    if (entry.kind != Kind::File) {
      findings.Add(needed.name, 0, Severity::Error,
                   std::string(needed.name) + " is missing: " + needed.consequence);
      continue;
    }
    std::string bytes;
    if (std::string(needed.name) != "install.mid" || !ReadWholeFile(entry.path, &bytes))
      continue;
    const std::string problem = MidiFileProblem(bytes);
    if (!problem.empty())
      findings.Add(needed.name, 0, Severity::Warning,
                   "install.mid is not a standard MIDI file: " + problem);
  }
}
} // namespace

void CheckRelease(const ReleaseFolder &folder, const CheckSetup &setup, Findings &findings,
                  ReleaseFacts &facts) {
  const ReleaseFolder::Entry iniEntry = folder.Locate("install.ini");
  std::string bytes;
  if (iniEntry.kind != Kind::File || !ReadWholeFile(iniEntry.path, &bytes)) {
    findings.Add("install.ini", 0, Severity::Error,
                 "install.ini is missing: the installer reports \"" + IoErrorText(2) +
                     "\" and shows its design captions");
  } else {
    const ReleaseIni ini = CheckIniText(bytes, findings);
    CheckTextFiles(folder, ini, findings);
    CheckArchiveSet(folder, ini, findings, facts);
    CheckRequiredSpace(ini, facts, findings);
    CheckRegistryFile(folder, ini, findings);
    CheckRecord(folder, ini, findings, facts);
    if (setup.measure != nullptr)
      CheckLabelFit(ini, *setup.measure, setup.slack, findings);
  }
  CheckProgramFiles(folder, findings);

  // In the order of install.ini's lines, then the other files.
  std::vector<Finding> all = findings.All();
  std::stable_sort(all.begin(), all.end(), [](const Finding &a, const Finding &b) {
    const int la = a.line > 0 ? a.line : 1000, lb = b.line > 0 ? b.line : 1000;
    return la < lb;
  });
  findings = Findings();
  for (Finding &f : all)
    findings.Add(std::move(f.file), f.line, f.severity, std::move(f.text));
}
