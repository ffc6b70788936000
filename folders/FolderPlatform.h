// The platform's file system as the directory list uses it: the current
// directory within the 260-byte buffers, volume flags, the file-name case
// rule and the sorted subfolder listing. Tests replace parts of it.
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
  bool IsLeadByte(unsigned char byte) override;

  // File-system flags of the volume whose root is `root`; false when the
  // volume cannot be asked.
  virtual bool VolumeFlags(const std::string &root, DWORD &flags);
  // True on systems whose code page has double-byte characters.
  virtual bool DbcsEnabled();
  // The file-name case rule: locale-aware, except on double-byte systems
  // where only A-Z and a-z change.
  std::string FileNameCase(const std::string &text, bool lower);

  // Names of the visible subfolders of `directory` in ascending order of
  // the user's locale, ignoring case; of names that compare equal only the
  // first found is kept. A failing search gives none.
  std::vector<std::string> Subfolders(const std::string &directory);

  // The instance the lists use unless told otherwise.
  static WinFolderSystem &Default();
};

// The platform's code for a failed call, never 0.
int LastErrorCode();
