// What an installation leaves besides the set: its record (Uninstall.txt)
// and its uninstaller (the running program, copied as Uninstall.exe), put
// into the staging folder before the commit, so that they arrive with the
// set or not at all and an older pair is put back if the commit fails; then,
// after the commit, the installation's entry in the platform's list of
// installed programs.
//
// The record names every file the run staged, with its size and CRC-32
// (the archive's, as the run saw it, or read from the staged file), every
// staged folder the target did not have, whether the run made the target,
// and what the release's registry file will overwrite, read before its
// import. A valid record already in the target keeps its sections and gains
// one; one that is damaged, edited or no record at all is kept beside the new
// one as "Uninstall (damaged).txt" and the new record starts afresh.
//
// The entry goes under HKEY_LOCAL_MACHINE when the registry file writes there
// and this process may write the machine's list; otherwise under
// HKEY_CURRENT_USER. Keys are read and written in the view the registry
// editor uses (WinRegistry).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "extract/ExtractArchive.h"
#include "installation/InstallationRecord.h"

class StagedInstall;

struct InstallationFacts {
  std::string title;                // the release title (ANSI)
  std::string registryFile;         // the registry file's path (ANSI); "" when the release has none
  bool targetCreated = false;       // the run made the target folder
  std::vector<ExtractedFile> files; // what the run wrote (ExtractionRun::Files)
};

class InstallationRecorder {
public:
  InstallationRecorder(StagedInstall &install, InstallationFacts facts);

  // After a complete run, before the commit: the record and the uninstaller
  // into the staging folder. "" or the sentence why the run cannot go on.
  std::string Prepare();
  // After the commit: the program-list entry. "" or the sentence why there
  // is none; the installation stands either way.
  std::string Register();
  // What the log tells of the record and the entry, line by line.
  const std::vector<std::string> &Notes() const { return notes_; }

private:
  void RecordStagedEntries(const std::string &relative);
  void RecordRegistry();
  std::string KeepDamagedRecord(const std::string &bytes, const RecordReading &reading);

  InstallationFacts facts_;
  std::map<std::string, const ExtractedFile *> known_; // by folded name
  std::string staged_;                                 // UTF-8
  std::string target_;                                 // UTF-8
  RecordSection section_;
  bool machineWide_ = false;
  uint64_t installedBytes_ = 0;
  std::vector<std::string> notes_;
};
