// The platform's file system as the directory list uses it: the current
// directory within the 260-byte buffers, volume flags, the code page and the
// sorted subfolder listing. Tests replace parts of it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "folders/FolderPath.h"

class WinFolderSystem : public FolderSystem {
public:
  int CurrentDirectory(std::string &path) override;
  int ChangeDirectory(const std::string &path) override;
  bool IsFile(const std::string &path) override;
  bool DoubleByteSystem() override;
  bool IsLeadByte(unsigned char byte) override;

  // File-system flags of the volume whose root is `root`; false when the
  // volume cannot be asked.
  virtual bool VolumeFlags(const std::string &root, DWORD &flags);

  // Names of the visible subfolders of `directory` in ascending order of
  // the user's locale, ignoring case; of names that compare equal (Data and
  // data, side by side in a case-sensitive folder) only the first found is
  // kept. A failing search gives none.
  std::vector<std::string> Subfolders(const std::string &directory);
  // The same names unsorted, as the platform's search finds them.
  virtual std::vector<std::string> FolderNames(const std::string &directory);

  // The instance the lists use unless told otherwise.
  static WinFolderSystem &Platform();
};

// The platform's code for a failed call, never 0.
int LastErrorCode();
// 0 with the process's current directory in `path`, or the platform's error
// code; one that does not fit the 260-byte buffer is an error (kPathTooLong).
int ReadCurrentDirectory(std::string &path);
