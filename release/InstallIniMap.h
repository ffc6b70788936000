// What each of the nine positional lines of install.ini sets. Portable: no
// windows.h; the file is opened in InstallIni.cpp.
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

// The fields of a release. Each holds its design value (the caption the
// splash window's control has before anything is read) until its line is
// read, so a file that fails at a line leaves that field and the later ones
// as designed.
struct InstallIni {
  InstallIni(); // every field at its design value

  std::string title;             // "TITLEMAIN"
  std::string subtitle;          // "TITLESUB"
  std::string releaseNotesFile;  // "GROUP.nfo"
  std::string descriptionFile;   // "file_id.diz"
  std::string newFolderName;     // "Label7"
  std::string archivePath;       // "Label8"
  std::string archiveFolder;     // "Label9"
  std::string requiredMegabytes; // "Label10"
  std::string registryFile;      // "Edit1"
  std::string installNotes;      // "Installation notes:"
};

// Reads the nine lines with `nextLine` and hands every field to `set` as soon
// as its line is read, so when `nextLine` raises, the fields of that line and
// the later ones are never set. `directory` is the folder of the installer's
// files; the archive path is that folder, a backslash and the sixth line, as
// they are (no checks, no normalising).
void MapInstallIni(const std::function<std::string()> &nextLine, const std::string &directory,
                   const std::function<void(IniField, const std::string &)> &set);

// The same into the fields of `ini`, each as its line is read.
void MapInstallIni(const std::function<std::string()> &nextLine, const std::string &directory,
                   InstallIni &ini);
