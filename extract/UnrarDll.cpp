#include "extract/UnrarDll.h"

#include "runtime/Exception.h"
#include "runtime/LibraryFunction.h"

#include <windows.h>

#include <utility>

namespace {

// Looks up one call by its plain exported name (dll.def: no decoration).
template <typename Fn>
void Bind(HMODULE module, const std::string &fileName, const char *name, Fn &target) {
  FARPROC address = GetProcAddress(module, name);
  if (address == nullptr)
    throw Exception(fileName + " has no entry point " + name);
  target = reinterpret_cast<Fn>(reinterpret_cast<void *>(address));
}

} // namespace

UnrarDll &UnrarDll::Instance() {
  // Never destroyed: the DLL stays loaded until the process ends.
  // By the full path of the program's folder: never found by the loader's
  // search, which would also look in the current directory.
  static UnrarDll *const instance = [] {
    std::string folder = ProgramFolder();
    if (!folder.empty() && folder.back() != '\\')
      folder += '\\';
    return new UnrarDll(folder + "unrar.dll");
  }();
  return *instance;
}

UnrarDll::UnrarDll(std::string fileName) : fileName_(std::move(fileName)) {}

UnrarDll::~UnrarDll() = default;

void UnrarDll::Load() {
  if (module_)
    return;

  // No "cannot find" or critical-error box from the platform: a failure here
  // is reported by the exception alone.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  LoadedModule module(LoadLibraryA(fileName_.c_str()));
  const DWORD error = GetLastError();
  SetErrorMode(oldMode);
  if (!module)
    throw Exception("Cannot load " + fileName_ + " (error " + std::to_string(error) + ")");

  // A missing call throws and the module is freed with its owner.
  Calls calls{};
  HMODULE loaded = module.Get();
  Bind(loaded, fileName_, "RAROpenArchive", calls.openArchive);
  Bind(loaded, fileName_, "RARCloseArchive", calls.closeArchive);
  Bind(loaded, fileName_, "RARReadHeader", calls.readHeader);
  Bind(loaded, fileName_, "RARReadHeaderEx", calls.readHeaderEx);
  Bind(loaded, fileName_, "RARProcessFile", calls.processFile);
  Bind(loaded, fileName_, "RARProcessFileW", calls.processFileW);
  Bind(loaded, fileName_, "RARSetChangeVolProc", calls.setChangeVolProc);
  Bind(loaded, fileName_, "RARSetProcessDataProc", calls.setProcessDataProc);
  Bind(loaded, fileName_, "RAROpenArchiveEx", calls.openArchiveEx);
  calls_ = calls;
  module_ = std::move(module);
}

RarHandle UnrarDll::OpenArchive(RAROpenArchiveData *data) {
  return Bound().openArchive(data);
}

RarHandle UnrarDll::OpenArchiveEx(RAROpenArchiveDataEx *data) {
  return Bound().openArchiveEx(data);
}

int UnrarDll::CloseArchive(RarHandle archive) {
  return Bound().closeArchive(archive);
}

int UnrarDll::ReadHeader(RarHandle archive, RARHeaderData *header) {
  return Bound().readHeader(archive, header);
}

int UnrarDll::ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) {
  return Bound().readHeaderEx(archive, header);
}

int UnrarDll::ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) {
  return Bound().processFile(archive, operation, destPath, destName);
}

int UnrarDll::ProcessFileW(RarHandle archive, int operation, wchar_t *destPath, wchar_t *destName) {
  return Bound().processFileW(archive, operation, destPath, destName);
}

void UnrarDll::SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) {
  Bound().setChangeVolProc(archive, proc);
}

void UnrarDll::SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) {
  Bound().setProcessDataProc(archive, proc);
}
