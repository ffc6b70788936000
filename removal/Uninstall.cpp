#include "removal/Uninstall.h"

#include <windows.h>

#include <string>
#include <vector>

#include "installation/InstallationRecord.h"
#include "installation/ProgramListEntry.h"
#include "installation/WinStagingFiles.h"
#include "registry/WinRegistry.h"
#include "removal/RemovalPlan.h"
#include "removal/SelfRemoval.h"
#include "removal/WinRemovalFiles.h"
#include "runtime/FileQueries.h"
#include "runtime/LibraryFunction.h"
#include "runtime/WideFiles.h"
#include "unattended/RunReport.h"

namespace {
constexpr char kCaption[] = "Uninstall";
// The most lines a result box lists; the rest are counted.
constexpr size_t kBoxLines = 20;

std::string Ansi(const std::string &utf8) {
  return CodePageText(WideText(utf8, CP_UTF8), CP_ACP);
}

std::string Join(const std::string &folder, const std::string &name) {
  return !folder.empty() && folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

class Removal {
public:
  Removal(const CommandLine &line, RunReport &report) : line_(line), report_(report) {}

  ExitCode Run() {
    const std::string ansi = line_.hasTarget ? line_.target : ProgramFolder();
    folder_ = LongFormOf(WinStagingFiles::TargetPath(ansi));
    if (!ReadTheRecord())
      return ExitCode::RecordUnusable;
    const std::string &title = record_.sections.back().title;
    report_.Line("Release: " + Ansi(title));
    report_.Line("Target: " + Ansi(folder_));
    if (!line_.silent &&
        Box("Remove " + title + " from " + folder_ + "?", MB_YESNO | MB_ICONQUESTION) != IDYES)
      return ExitCode::Installed;
    RestoreRegistry();
    RemoveFiles();
    RemoveEntries();
    return Tell(title);
  }

private:
  int Box(const std::string &text, UINT flags) {
    return MessageBoxW(nullptr, WideText(text, CP_UTF8).c_str(),
                       WideText(kCaption, CP_UTF8).c_str(), flags | MB_SETFOREGROUND);
  }

  bool ReadTheRecord() {
    std::string bytes;
    ReadFileContent(Join(folder_, kRecordName), &bytes);
    record_ = ReadRecord(bytes);
    if (record_.problem == RecordReading::Problem::None)
      return true;
    const std::string sentence =
        RecordProblemText(record_) + " Nothing was removed from " + folder_ + ".";
    if (line_.silent)
      report_.Failure(Ansi(sentence));
    else
      Box(sentence, MB_OK | MB_ICONERROR);
    return false;
  }

  // Newest installation first, so that what the first one found comes back
  // last.
  void RestoreRegistry() {
    for (auto section = record_.sections.rbegin(); section != record_.sections.rend(); ++section)
      for (const RegistryOutcome &outcome :
           RestorePriorState(WinRegistry::Platform(), section->registry)) {
        const std::string line = RegistryOutcomeText(outcome);
        report_.Line(Ansi(line));
        if (outcome.error != 0)
          failed_.push_back(line);
      }
  }

  void RemoveFiles() {
    WinRemovalFiles files;
    RemovalPlan plan =
        PlanRemoval(files, folder_, record_.sections, {kRecordName, kUninstallerName});
    // The running uninstaller's own file, and the folder it is in, go after
    // it has ended.
    const std::string uninstaller = Join(folder_, kUninstallerName);
    for (auto own = plan.ownFiles.begin(); own != plan.ownFiles.end(); ++own) {
      if (*own == kUninstallerName && UpperCaseText(LongFormOf(RunningProgramPath())) ==
                                          UpperCaseText(LongFormOf(uninstaller))) {
        plan.ownFiles.erase(own);
        selfPending_ = true;
        removeFolderAfter_ = plan.removeTarget;
        plan.removeTarget = false;
        break;
      }
    }
    for (const RemovalNote &note : CarryOutRemoval(files, plan))
      Note(note);
    if (removeFolderAfter_) {
      for (const std::string &name : files.List(folder_))
        if (UpperCaseText(name) != UpperCaseText(kUninstallerName)) {
          removeFolderAfter_ = false;
          Note({RemovalNote::Kind::FolderKept, ""});
          break;
        }
    }
  }

  void Note(const RemovalNote &note) {
    std::string line = RemovalNoteText(note);
    if (note.kind == RemovalNote::Kind::InUse) {
      // Its removal at the next restart, where the platform lets this
      // process ask for it (an administrator's).
      const bool scheduled = MoveFileExW(LongPath(Join(folder_, note.path)).c_str(), nullptr,
                                         MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
      line += scheduled ? "; it goes at the next restart" : "";
      failed_.push_back(line);
    } else if (note.kind != RemovalNote::Kind::Removed) {
      kept_.push_back(line);
    }
    report_.Line(Ansi(line));
  }

  void RemoveEntries() {
    std::vector<std::string> removed;
    for (const RecordSection &section : record_.sections) {
      const std::string &key = section.entryKey;
      bool seen = key.empty();
      for (const std::string &other : removed)
        seen = seen || other == key;
      if (seen)
        continue;
      removed.push_back(key);
      if (unsigned long error = DeleteOwnKey(WinRegistry::Platform(), key)) {
        const std::string line = "Could not remove the program-list entry " + key + " (error " +
                                 std::to_string(error) + ")";
        report_.Line(Ansi(line));
        failed_.push_back(line);
      } else {
        report_.Line("Removed the program-list entry " + Ansi(key));
      }
    }
  }

  ExitCode Tell(const std::string &title) {
    if (selfPending_)
      report_.Line(std::string(kUninstallerName) + " goes when this program has ended.");
    report_.Line(failed_.empty() ? "Removed." : "Removed, except what could not be.");
    if (!line_.silent) {
      std::string text = title + " was removed from " + folder_ +
                         (failed_.empty() ? "." : ", except what could not be:");
      auto list = [&text](const std::vector<std::string> &lines) {
        for (size_t i = 0; i < lines.size() && i < kBoxLines; ++i)
          text += "\n" + lines[i];
        if (lines.size() > kBoxLines)
          text += "\n... and " + std::to_string(lines.size() - kBoxLines) + " more.";
      };
      list(failed_);
      if (!kept_.empty())
        text += "\n\nKept:";
      list(kept_);
      Box(text, MB_OK | (failed_.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    }
    // Last, so that the copy waits for nothing but this program's end.
    if (selfPending_ &&
        !StartSelfRemoval(Join(folder_, kUninstallerName), removeFolderAfter_ ? folder_ : ""))
      report_.Line(std::string("Could not start the removal of ") + kUninstallerName + ".");
    return failed_.empty() ? ExitCode::Installed : ExitCode::NotAllRemoved;
  }

  const CommandLine &line_;
  RunReport &report_;
  std::string folder_; // UTF-8, absolute
  RecordReading record_;
  std::vector<std::string> kept_;   // changed and added files, folders not empty
  std::vector<std::string> failed_; // what could not be removed or put back
  bool selfPending_ = false;
  bool removeFolderAfter_ = false;
};
} // namespace

bool StartedAsUninstaller() {
  const std::string program = RunningProgramPath();
  const std::string name = program.substr(program.find_last_of("\\/") + 1);
  return UpperCaseText(name) == UpperCaseText(kUninstallerName) &&
         IsFile(Join(ProgramFolder(), kRecordName));
}

ExitCode RunUninstall(const CommandLine &line) {
  return RunReported(line, "Unattended removal started",
                     [](const CommandLine &switches, RunReport &report) {
                       return Removal(switches, report).Run();
                     });
}
