#include "release/InstallIniMap.h"

InstallIni::InstallIni()
    : title("TITLEMAIN"), subtitle("TITLESUB"), releaseNotesFile("GROUP.nfo"),
      descriptionFile("file_id.diz"), newFolderName("Label7"), archivePath("Label8"),
      archiveFolder("Label9"), requiredMegabytes("Label10"), registryFile("Edit1"),
      installNotes("Installation notes:") {}

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

void MapInstallIni(const std::function<std::string()> &nextLine, const std::string &directory,
                   InstallIni &ini) {
  // The member of each field, in IniField order.
  static std::string InstallIni::*const kMembers[] = {
      &InstallIni::title,           &InstallIni::subtitle,          &InstallIni::releaseNotesFile,
      &InstallIni::descriptionFile, &InstallIni::newFolderName,     &InstallIni::archivePath,
      &InstallIni::archiveFolder,   &InstallIni::requiredMegabytes, &InstallIni::registryFile,
      &InstallIni::installNotes};
  MapInstallIni(nextLine, directory, [&ini](IniField field, const std::string &value) {
    ini.*kMembers[static_cast<size_t>(field)] = value;
  });
}
