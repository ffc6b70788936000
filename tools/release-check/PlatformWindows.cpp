#include "tools/release-check/Platform.h"
#include "tools/release-check/ReleaseCheck.h"

#include "extract/UnrarDll.h"
#include "runtime/Exception.h"
#include "tools/release-check/GdiTextMeasure.h"

#include <windows.h>

std::string AbsoluteFolder(const std::string &folder) {
  char full[MAX_PATH * 2] = {};
  const DWORD n = GetFullPathNameA(folder.c_str(), sizeof full, full, nullptr);
  if (n == 0 || n >= sizeof full)
    return folder;
  std::string path = full;
  // "C:\" stays as it is; other folders lose their trailing backslash, as
  // the directory list gives them.
  if (path.size() > 3 && path.back() == '\\')
    path.pop_back();
  return path;
}

std::unique_ptr<ArchiveLibrary> LoadArchiveLibrary(const ReleaseFolder &folder,
                                                   std::string *problem) {
  // The library the installer will use, when the folder has it.
  const ReleaseFolder::Entry own = folder.Locate("unrar.dll");
  auto dll =
      std::make_unique<UnrarDll>(own.kind == ReleaseFolder::Kind::File ? own.path : "unrar.dll");
  try {
    dll->Load();
  } catch (const Exception &e) {
    *problem = e.Message();
    return nullptr;
  }
  return dll;
}

std::unique_ptr<TextMeasure> LoadTextMeasure(int *slack, std::string *) {
  *slack = 0; // the platform's own figures
  return std::make_unique<GdiTextMeasure>();
}
