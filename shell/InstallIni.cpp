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
} // namespace

void ReadInstallIni(TForm1 &form) {
  TextFile file;
  file.Assign(kInstallIniName);
  file.Reset();
  IoCheck();

  form.Label1.SetCaption(Line(file)); // title
  form.Label2.SetCaption(Line(file)); // sub-title
  form.Label5.SetCaption(Line(file)); // release notes file
  form.Label6.SetCaption(Line(file)); // description file
  form.Label7.SetCaption(Line(file)); // proposed new folder name
  std::string archive = Line(file);
  // The folder of the installer's files: plain concatenation, no checks.
  std::string folder = form.DirectoryListBox1.Directory() + "\\";
  form.Label8.SetCaption(folder + archive);
  form.Label9.SetCaption(folder);
  form.Label10.SetCaption(Line(file)); // required megabytes
  form.Edit1.SetText(Line(file));      // registry file
  form.Label11.SetCaption(Line(file)); // installation notes

  file.Close();
  IoCheck();
}
