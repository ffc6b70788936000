#include "unattended/UnattendedRun.h"

#include <windows.h>

#include <string>

#include "extract/ExtractArchive.h"
#include "extract/ExtractTexts.h"
#include "extract/UnrarApi.h"
#include "extract/UnrarDll.h"
#include "folders/FreeSpace.h"
#include "installation/InstallationRecorder.h"
#include "installation/StagedInstall.h"
#include "release/InstallIni.h"
#include "release/RegistryImport.h"
#include "runtime/Exception.h"
#include "runtime/FileQueries.h"
#include "runtime/LibraryFunction.h"
#include "runtime/StrToInt.h"
#include "unattended/LogView.h"
#include "unattended/RunReport.h"
#include "unattended/TargetFolder.h"

namespace {
std::string ErrorText(unsigned long code) {
  return "error " + std::to_string(code);
}

class Installation {
public:
  Installation(const CommandLine &line, RunReport &report) : line_(line), report_(report) {}

  ExitCode Run() {
    if (!ReadRelease())
      return ExitCode::UnusableRelease;
    report_.Line("Release: " + release_.title);
    report_.Line("Target: " + line_.target);
    if (!ReleaseFilesPresent())
      return ExitCode::UnusableRelease;
    if (!EnoughSpace())
      return ExitCode::NotEnoughSpace;
    if (!Extract())
      return extractExit_;
    if (!ImportRegistry())
      return ExitCode::RegistryImportFailed;
    report_.Line("Installed.");
    return ExitCode::Installed;
  }

private:
  // The same reader and rules as the splash window, in the program's folder.
  bool ReadRelease() {
    releaseFolder_ = ProgramFolder();
    if (!IsFolder(releaseFolder_)) {
      report_.Failure("Cannot open the release folder " + releaseFolder_ + ".");
      return false;
    }
    try {
      ReadInstallIni(releaseFolder_, release_);
      required_ = StrToInt(release_.requiredMegabytes);
    } catch (const Exception &error) {
      report_.Failure(std::string(kInstallIniName) + ": " + error.Message());
      return false;
    }
    return true;
  }

  bool ReleaseFilesPresent() {
    if (!IsFile(release_.archivePath)) {
      report_.Failure(OpenFailureText(ERAR_EOPEN, release_.archivePath));
      return false;
    }
    try {
      UnrarDll::Instance().Load();
    } catch (const Exception &error) {
      report_.Failure(error.Message());
      return false;
    }
    return true;
  }

  // Measured on the nearest folder of the target that exists, so a refusal
  // writes nothing. Megabytes as the folder dialog shows them.
  bool EnoughSpace() {
    std::string existing = NearestExistingFolder(line_.target);
    int64_t freeBytes = existing.empty() ? -1 : FreeBytes(existing);
    int64_t freeMegabytes = freeBytes / 1000000;
    if (required_ <= freeMegabytes)
      return true;
    std::string sentence = "Not enough free space: " + std::to_string(freeMegabytes) +
                           " Mb. free, " + std::to_string(required_) + " Mb. required.";
    if (!line_.force) {
      report_.Failure(sentence);
      return false;
    }
    report_.Line(sentence + " Going on (/FORCE).");
    return true;
  }

  bool Extract() {
    extractExit_ = ExitCode::ExtractionFailed;
    std::vector<std::string> created;
    if (unsigned long error = CreateFolderWithParents(line_.target, &created)) {
      RemoveCreatedFolders(created);
      report_.Failure("Cannot create the target folder " + line_.target + " (" + ErrorText(error) +
                      ").");
      return false;
    }
    targetCreated_ = !created.empty();
    std::string failure = StagedExtract();
    if (failure.empty())
      return true;
    // All or nothing: the target is as it was, the folders made for it gone.
    RemoveCreatedFolders(created);
    report_.Failure(failure);
    return false;
  }

  // The set into a staging folder in the target, moved into place when it
  // is complete; "" or the failure's sentence, with the target as it was.
  std::string StagedExtract() {
    StagedInstall install(line_.target);
    std::string problem = install.Begin();
    if (install.Recovered())
      report_.Line("An interrupted installation into the target was undone.");
    if (!problem.empty())
      return "Extraction failed: " + problem;
    LogView view(report_);
    ExtractionOutcome outcome = ExtractionOutcome::Failed;
    try {
      ExtractionRun run(ExtractionLibrary(), view);
      outcome = run.ExtractArchive(release_.archivePath, install.Destination(), 0);
      if (outcome == ExtractionOutcome::Complete)
        problem = Commit(install, run);
    } catch (const Exception &error) {
      install.End();
      return error.Message();
    }
    if (std::string left = install.End(); !left.empty())
      report_.Line(left);
    if (outcome == ExtractionOutcome::LibraryUnusable) {
      extractExit_ = ExitCode::UnusableRelease;
      return view.LibraryFailure();
    }
    if (outcome == ExtractionOutcome::Complete && problem.empty())
      return "";
    if (!problem.empty())
      return "Extraction failed: " + problem;
    std::string sentence =
        "Extraction failed: " + (outcome == ExtractionOutcome::EndedAtMissingVolume
                                     ? "the set ended at a missing volume"
                                     : view.LastStatus());
    if (!view.Entry().empty())
      sentence += " (stopped at " + view.Entry() + ")";
    return sentence;
  }

  // The record and the uninstaller join the staged set, which is moved into
  // place; then the program-list entry, whose failure only the log tells.
  std::string Commit(StagedInstall &install, const ExtractionRun &run) {
    InstallationRecorder recorder(
        install, {release_.title, RegistryFilePath(), targetCreated_, run.Files()});
    std::string problem = recorder.Prepare();
    if (problem.empty())
      problem = install.Commit();
    std::string unlisted = problem.empty() ? recorder.Register() : "";
    for (const std::string &note : recorder.Notes())
      report_.Line(note);
    if (!unlisted.empty())
      report_.Line(unlisted);
    return problem;
  }

  // A relative name counts from the release folder, as on the windowed
  // road.
  std::string RegistryFilePath() const {
    return ReleaseFilePath(releaseFolder_, release_.registryFile);
  }

  bool ImportRegistry() {
    const std::string path = RegistryFilePath();
    if (!IsFile(path)) {
      report_.Line("No registry file to import.");
      return true;
    }
    std::string failure = ImportRegistryFile(path);
    if (!failure.empty()) {
      report_.Failure(failure);
      return false;
    }
    report_.Line("Registry file imported: " + path);
    return true;
  }

  const CommandLine &line_;
  RunReport &report_;
  std::string releaseFolder_;
  InstallIni release_;
  int32_t required_ = 0;
  ExitCode extractExit_ = ExitCode::ExtractionFailed;
  bool targetCreated_ = false;
};

} // namespace

ExitCode RunUnattended(const CommandLine &line) {
  return RunReported(line, "Unattended installation started",
                     [](const CommandLine &switches, RunReport &report) {
                       return Installation(switches, report).Run();
                     });
}
