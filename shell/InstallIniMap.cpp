#include "shell/InstallIniMap.h"

void MapInstallIni(const std::function<std::string()> &nextLine, const std::string &directory,
                   const std::function<void(IniField, const std::string &)> &set) {
  set(IniField::Title, nextLine());
  set(IniField::Subtitle, nextLine());
  set(IniField::ReleaseNotesFile, nextLine());
  set(IniField::DescriptionFile, nextLine());
  set(IniField::NewFolderName, nextLine());
  std::string archive = nextLine();
  // Plain concatenation: a directory ending in a backslash (a drive root)
  // gives two in a row, which the file functions accept.
  std::string folder = directory + "\\";
  set(IniField::ArchivePath, folder + archive);
  set(IniField::ArchiveFolder, folder);
  set(IniField::RequiredMegabytes, nextLine());
  set(IniField::RegistryFile, nextLine());
  set(IniField::InstallNotes, nextLine());
}
