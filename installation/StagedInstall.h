// One installation into a target folder, all or nothing: the set is unpacked
// into a staging folder inside the target and moved into place only when
// the run was complete. A failed run, or one that is killed, leaves the
// target as it was: its files, their contents and times.
#pragma once

#include <windows.h>

#include <string>

#include "installation/StagingArea.h"
#include "installation/WinStagingFiles.h"

class StagedInstall {
public:
  // `target` is the folder the user chose (ANSI), existing.
  explicit StagedInstall(const std::string &target);
  // A run left by an exception still leaves no staging folder.
  ~StagedInstall();
  StagedInstall(const StagedInstall &) = delete;
  StagedInstall &operator=(const StagedInstall &) = delete;

  // Puts right what an interrupted run left in the target, then makes the
  // staging folder; "" or the sentence that says what is in the way. A
  // staging folder that cannot be made (a read-only target, a drive gone)
  // is the first file the run cannot create, and says so in the library's
  // words.
  std::string Begin();
  // Begin found an interrupted run's staging folder and put it right.
  bool Recovered() const { return recovered_; }
  // The folder the library unpacks into (ANSI).
  const std::string &Destination() const { return destination_; }
  // The target and the folder whose entries the commit moves into it,
  // absolute, in UTF-8.
  const std::string &TargetFolder() const { return targetPath_; }
  std::string StagedFolder() const { return area_.FilesFolder(); }
  // After a complete run: moves the staged files into place; "" or the
  // sentence naming the file that could not be, with every move undone.
  std::string Commit();
  // Removes the staging folder: after a commit, or after a failed run, when
  // the target folder's own times are put back as they were. "" or the
  // sentence that says what stays behind.
  std::string End();

private:
  void RestoreTimes();

  WinStagingFiles files_;
  std::string target_;     // ANSI, as given
  std::string targetPath_; // UTF-8, absolute
  StagingArea area_;
  std::string destination_;
  bool recovered_ = false;
  bool begun_ = false;
  bool committed_ = false;
  bool timesKept_ = false;
  FILETIME created_{}, accessed_{}, written_{};
};
