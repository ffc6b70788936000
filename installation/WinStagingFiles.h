// The staging area's file system on the platform. Paths are UTF-8 and go to
// the wide calls with the long-path prefix: the library writes names that
// the ANSI code page may not hold, and a staged path is longer than its
// place in the target.
#pragma once

#include <map>
#include <string>

#include "installation/StagingArea.h"
#include "runtime/Handles.h"

class WinStagingFiles : public StagingFiles {
public:
  // `folder` (ANSI, as the windows and the command line give it) as an
  // absolute UTF-8 path for the staging area; "" when it cannot be made one.
  static std::string TargetPath(const std::string &folder);
  // A UTF-8 path in the ANSI code page (for paths that came from it).
  static std::string AnsiPath(const std::string &path);

  Kind KindOf(const std::string &path) override;
  std::vector<std::string> List(const std::string &folder) override;
  unsigned long Move(const std::string &from, const std::string &to) override;
  unsigned long MakeFolder(const std::string &path, bool hidden) override;
  unsigned long Remove(const std::string &path) override;
  unsigned long Append(const std::string &file, const std::string &text) override;
  std::string Read(const std::string &file) override;

private:
  // Files appended to stay open (written through) until removed.
  std::map<std::string, FileHandle> appended_;
};
