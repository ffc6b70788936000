// The release folder as the installer sees it: names from install.ini (ANSI
// bytes, relative to the folder, backslashes between parts) looked up the
// way the platform's file functions would, so both builds agree on what is
// there.
#pragma once

#include <string>

class ReleaseFolder {
public:
  enum class Kind { Missing, File, Folder };
  struct Entry {
    Kind kind = Kind::Missing;
    std::string path; // host path, when found
  };

  explicit ReleaseFolder(std::string folder) : folder_(std::move(folder)) {}

  const std::string &Path() const { return folder_; }
  // On Windows: the folder, a backslash and the name, as the installer joins
  // them. On Linux: each part matched without regard to ASCII case and with
  // trailing blanks and dots dropped, as Windows does.
  Entry Locate(const std::string &ansiName) const;

private:
  std::string folder_;
};

// The whole file; false when it cannot be read.
bool ReadWholeFile(const std::string &path, std::string *bytes);
