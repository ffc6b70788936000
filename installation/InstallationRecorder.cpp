#include "installation/InstallationRecorder.h"

#include <windows.h>

#include <utility>

#include "folders/FolderPath.h"
#include "installation/ProgramListEntry.h"
#include "installation/StagedInstall.h"
#include "installation/StagingArea.h"
#include "registry/RegFileReader.h"
#include "registry/WinRegistry.h"
#include "runtime/FileQueries.h"
#include "runtime/WideFiles.h"

namespace {
constexpr char kDamagedName[] = "Uninstall (damaged";

std::string Utf8FromAnsi(const std::string &text) {
  return CodePageText(WideText(text, CP_ACP), CP_UTF8);
}

std::string Join(const std::string &folder, const std::string &name) {
  return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

bool Exists(const std::string &path) {
  return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// How the platform compares names, for the letters every code page shares.
std::string Folded(const std::string &name) {
  return AsciiCase(name, false, [](unsigned char) { return false; });
}

// The running program as the uninstaller; not read-only, whatever the
// release's copy is (a release on a CD).
unsigned long CopyProgram(const std::string &to) {
  const WideString copy = LongPath(to);
  if (!CopyFileW(LongPath(RunningProgramPath()).c_str(), copy.c_str(), FALSE))
    return GetLastError();
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  return 0;
}

uint64_t SizeOf(const std::string &path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data))
    return 0;
  return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

std::string CannotWrite(const std::string &name, unsigned long error) {
  return StagingProblemText({StagingProblem::Kind::Move, name, error});
}
} // namespace

InstallationRecorder::InstallationRecorder(StagedInstall &install, InstallationFacts facts)
    : facts_(std::move(facts)), staged_(install.StagedFolder()),
      target_(LongFormOf(install.TargetFolder())) {}

std::string InstallationRecorder::Prepare() {
  for (const char *own : {kRecordName, kUninstallerName})
    if (Exists(Join(staged_, own)))
      return std::string("The set holds its own ") + own + ", the uninstaller's name";
  // The library writes an entry that comes twice over the first: the last wins.
  for (const ExtractedFile &file : facts_.files)
    known_[Folded(file.name)] = &file;
  RecordStagedEntries("");
  RecordRegistry();
  section_.title = Utf8FromAnsi(facts_.title);
  section_.entryKey = ProgramListKey(machineWide_, ProgramListId(UpperCaseText(target_)));
  section_.targetExisted = !facts_.targetCreated;

  std::string record;
  if (ReadFileContent(Join(target_, kRecordName), &record) == 0) {
    const RecordReading reading = ReadRecord(record);
    if (reading.problem != RecordReading::Problem::None) {
      if (std::string problem = KeepDamagedRecord(record, reading); !problem.empty())
        return problem;
      record.clear();
    } else {
      notes_.push_back(std::string("The installation record ") + kRecordName +
                       " in the target gains a section.");
    }
  }
  record += RecordSectionText(section_);
  if (unsigned long error = WriteFileContent(Join(staged_, kRecordName), record))
    return CannotWrite(kRecordName, error);
  if (unsigned long error = CopyProgram(Join(staged_, kUninstallerName)))
    return CannotWrite(kUninstallerName, error);
  installedBytes_ += record.size() + SizeOf(Join(staged_, kUninstallerName));
  notes_.push_back("Recorded " + std::to_string(section_.files.size()) + " files, " +
                   std::to_string(section_.folders.size()) + " new folders and " +
                   std::to_string(section_.registry.values.size()) + " registry values in " +
                   kRecordName + "; the uninstaller is " + kUninstallerName + ".");
  return "";
}

void InstallationRecorder::RecordStagedEntries(const std::string &relative) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(LongPath(Join(Join(staged_, relative), "*")).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return;
  std::vector<std::string> folders;
  do {
    const std::string name = CodePageText(found.cFileName, wcslen(found.cFileName), CP_UTF8);
    if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      continue; // a link the set made is moved into place but never followed
    const std::string path = relative.empty() ? name : relative + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!Exists(Join(target_, path)))
        section_.folders.push_back(path);
      folders.push_back(path);
      continue;
    }
    RecordedFile file{path, static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow,
                      0};
    auto header = known_.find(Folded(path));
    if (header != known_.end() && header->second->size == file.size)
      file.crc = header->second->crc;
    else if (FileCrc32(Join(staged_, path), &file.crc) != 0)
      continue; // unreadable: not recorded, so never removed
    installedBytes_ += file.size;
    section_.files.push_back(file);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  for (const std::string &folder : folders)
    RecordStagedEntries(folder);
}

void InstallationRecorder::RecordRegistry() {
  if (facts_.registryFile.empty() || !IsFile(facts_.registryFile))
    return;
  const RegFileReading reading = ReadRegFile(FileBytes(facts_.registryFile), Utf8FromAnsi);
  const std::string file = Utf8FromAnsi(facts_.registryFile);
  if (!reading.error.empty()) {
    notes_.push_back("The registry file " + file + " cannot be followed (" + reading.error +
                     "): its changes are not recorded and removal leaves them.");
    return;
  }
  WinRegistry &registry = WinRegistry::Platform();
  RegistryCapture capture = CapturePriorState(registry, reading.changes);
  if (!capture.error.empty()) {
    notes_.push_back(capture.error + " Removal leaves the registry file's changes.");
    return;
  }
  section_.registry = std::move(capture.state);
  const std::string machine = "HKEY_LOCAL_MACHINE\\";
  const std::string list = ProgramListKey(true, "");
  for (const RegChange &change : reading.changes)
    if (change.key.compare(0, machine.size(), machine) == 0)
      machineWide_ = true;
  machineWide_ = machineWide_ && registry.MayCreateIn(list.substr(0, list.size() - 1));
}

std::string InstallationRecorder::KeepDamagedRecord(const std::string &bytes,
                                                    const RecordReading &reading) {
  std::string name;
  for (int number = 1; number < 100; ++number) {
    name = kDamagedName + (number > 1 ? " " + std::to_string(number) : "") + ").txt";
    if (!Exists(Join(target_, name)))
      break;
  }
  if (unsigned long error = WriteFileContent(Join(staged_, name), bytes))
    return CannotWrite(name, error);
  notes_.push_back(RecordProblemText(reading) + " It is kept as " + name +
                   "; a new record starts, and removal takes back only what it names.");
  return "";
}

std::string InstallationRecorder::Register() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const ProgramListFacts facts{section_.title, target_,    installedBytes_,
                               now.wYear,      now.wMonth, now.wDay};
  RegistryAccess &registry = WinRegistry::Platform();
  unsigned long error = registry.CreateKey(section_.entryKey);
  for (const NamedRegistryValue &value : ProgramListValues(facts))
    if (error == 0)
      error = registry.SetValue(section_.entryKey, value.name, value.data);
  if (error != 0) {
    DeleteOwnKey(registry, section_.entryKey);
    return "Cannot add the installation to the list of installed programs (error " +
           std::to_string(error) + ").";
  }
  notes_.push_back("Listed among the installed programs: " + section_.entryKey);
  return "";
}
