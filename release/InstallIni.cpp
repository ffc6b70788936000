#include "release/InstallIni.h"

#include "runtime/IoResult.h"
#include "runtime/TextFile.h"

namespace {
// Every read is checked before its value is used.
std::string Line(TextFile &file) {
  std::string line = file.ReadLn();
  IoCheck();
  return line;
}
} // namespace

void ReadInstallIni(const std::string &folder, InstallIni &ini) {
  TextFile file;
  file.Assign(folder + "\\" + kInstallIniName);
  file.Reset();
  IoCheck();

  MapInstallIni([&file] { return Line(file); }, folder, ini);

  file.Close();
  IoCheck();
}

std::string ReleaseFilePath(const std::string &folder, const std::string &name) {
  const bool rooted = !name.empty() && (name[0] == '\\' || name[0] == '/');
  if (rooted || (name.size() >= 2 && name[1] == ':'))
    return name;
  return folder + "\\" + name;
}
