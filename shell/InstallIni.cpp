#include "shell/InstallIni.h"

#include "runtime/IoResult.h"
#include "runtime/TextFile.h"
#include "shell/Form1.h"

namespace {
// Every read is checked before its value is used.
std::string Line(TextFile &file) {
  std::string line = file.ReadLn();
  IoCheck();
  return line;
}

void SetField(TForm1 &form, IniField field, const std::string &value) {
  if (field == IniField::RegistryFile) {
    form.Edit1.SetText(value);
    return;
  }
  // The label of each field, in IniField order.
  TLabel *const labels[] = {&form.Label1, &form.Label2, &form.Label5,  &form.Label6, &form.Label7,
                            &form.Label8, &form.Label9, &form.Label10, nullptr,      &form.Label11};
  labels[static_cast<size_t>(field)]->SetCaption(value);
}
} // namespace

void ReadInstallIniFields(const std::string &directory, const IniFieldSetter &set) {
  TextFile file;
  file.Assign(kInstallIniName);
  file.Reset();
  IoCheck();

  MapInstallIni([&file] { return Line(file); }, directory, set);

  file.Close();
  IoCheck();
}

void ReadInstallIni(TForm1 &form) {
  ReadInstallIniFields(
      form.DirectoryListBox1.Directory(),
      [&form](IniField field, const std::string &value) { SetField(form, field, value); });
}
