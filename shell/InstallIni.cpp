#include "shell/InstallIni.h"

#include "runtime/IoResult.h"
#include "runtime/TextFile.h"
#include "shell/Form1.h"
#include "shell/InstallIniMap.h"

namespace {
// Every read is checked before its value is used.
std::string Line(TextFile &file) {
  std::string line = file.ReadLn();
  IoCheck();
  return line;
}

void SetField(TForm1 &form, IniField field, const std::string &value) {
  switch (field) {
  case IniField::Title:
    form.Label1.SetCaption(value);
    break;
  case IniField::Subtitle:
    form.Label2.SetCaption(value);
    break;
  case IniField::ReleaseNotesFile:
    form.Label5.SetCaption(value);
    break;
  case IniField::DescriptionFile:
    form.Label6.SetCaption(value);
    break;
  case IniField::NewFolderName:
    form.Label7.SetCaption(value);
    break;
  case IniField::ArchivePath:
    form.Label8.SetCaption(value);
    break;
  case IniField::ArchiveFolder:
    form.Label9.SetCaption(value);
    break;
  case IniField::RequiredMegabytes:
    form.Label10.SetCaption(value);
    break;
  case IniField::RegistryFile:
    form.Edit1.SetText(value);
    break;
  case IniField::InstallNotes:
    form.Label11.SetCaption(value);
    break;
  }
}
} // namespace

void ReadInstallIni(TForm1 &form) {
  TextFile file;
  file.Assign(kInstallIniName);
  file.Reset();
  IoCheck();

  MapInstallIni(
      [&file] { return Line(file); }, form.DirectoryListBox1.Directory(),
      [&form](IniField field, const std::string &value) { SetField(form, field, value); });

  file.Close();
  IoCheck();
}
