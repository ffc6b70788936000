// What each of the nine positional lines of install.ini sets. Portable: no
// windows.h; the splash window's controls are assigned in InstallIni.cpp.
#pragma once

#include <functional>
#include <string>

// In the order they are set. The sixth line gives two: the archive's full
// path and the folder it is in.
enum class IniField {
  Title,
  Subtitle,
  ReleaseNotesFile,
  DescriptionFile,
  NewFolderName,
  ArchivePath,
  ArchiveFolder,
  RequiredMegabytes,
  RegistryFile,
  InstallNotes,
};

// Reads the nine lines with `nextLine` and hands every field to `set` as soon
// as its line is read, so when `nextLine` raises, the fields of that line and
// the later ones are never set. `directory` is the folder of the installer's
// files; the archive path is that folder, a backslash and the sixth line, as
// they are (no checks, no normalising).
void MapInstallIni(const std::function<std::string()> &nextLine, const std::string &directory,
                   const std::function<void(IniField, const std::string &)> &set);
