#include "extract/UnrarDll.h"

#include "runtime/Exception.h"

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
  static UnrarDll *const instance = new UnrarDll("unrar.dll");
  return *instance;
}

UnrarDll::UnrarDll(std::string fileName) : fileName_(std::move(fileName)) {}

UnrarDll::~UnrarDll() {
  if (module_ != nullptr)
    FreeLibrary(static_cast<HMODULE>(module_));
}

void UnrarDll::Load() {
  if (module_ != nullptr)
    return;

  // No "cannot find" or critical-error box from the platform: a failure here
  // is reported by the exception alone.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(fileName_.c_str());
  const DWORD error = GetLastError();
  SetErrorMode(oldMode);
  if (module == nullptr)
    throw Exception("Cannot load " + fileName_ + " (error " + std::to_string(error) + ")");

  Calls calls{};
  try {
    Bind(module, fileName_, "RAROpenArchive", calls.openArchive);
    Bind(module, fileName_, "RARCloseArchive", calls.closeArchive);
    Bind(module, fileName_, "RARReadHeader", calls.readHeader);
    Bind(module, fileName_, "RARReadHeaderEx", calls.readHeaderEx);
    Bind(module, fileName_, "RARProcessFile", calls.processFile);
    Bind(module, fileName_, "RARSetChangeVolProc", calls.setChangeVolProc);
    Bind(module, fileName_, "RARSetProcessDataProc", calls.setProcessDataProc);
    Bind(module, fileName_, "RAROpenArchiveEx", calls.openArchiveEx);
  } catch (...) {
    FreeLibrary(module);
    throw;
  }
  calls_ = calls;
  module_ = module;
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

void UnrarDll::SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) {
  Bound().setChangeVolProc(archive, proc);
}

void UnrarDll::SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) {
  Bound().setProcessDataProc(archive, proc);
}
