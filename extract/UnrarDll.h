// The real archive library: unrar.dll, loaded at run time with LoadLibraryA
// and bound by name with GetProcAddress. A missing file or call becomes an
// Exception that names it, never a crash at start-up or at the call.
#pragma once

#include "extract/ArchiveLibrary.h"
#include "runtime/Handles.h"

#include <string>

class UnrarDll : public ArchiveLibrary {
public:
  // The process's binding to "unrar.dll" in the program's own folder. Loaded at its first call,
  // kept loaded for the rest of the process; a failed load is tried again at the next call.
  static UnrarDll &Instance();

  // A binding to another file (tests: a missing DLL, one without the calls).
  // Nothing is loaded before the first call.
  explicit UnrarDll(std::string fileName);
  ~UnrarDll() override;
  UnrarDll(const UnrarDll &) = delete;
  UnrarDll &operator=(const UnrarDll &) = delete;

  const std::string &FileName() const { return fileName_; }
  bool Loaded() const { return static_cast<bool>(module_); }
  // Loads the file and looks up all nine calls, unless done already.
  // Throws Exception: "Cannot load <file> (error <n>)" or
  // "<file> has no entry point <call>".
  void Load();

  RarHandle OpenArchive(RAROpenArchiveData *data) override;
  RarHandle OpenArchiveEx(RAROpenArchiveDataEx *data) override;
  int CloseArchive(RarHandle archive) override;
  int ReadHeader(RarHandle archive, RARHeaderData *header) override;
  int ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) override;
  int ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) override;
  int ProcessFileW(RarHandle archive, int operation, wchar_t *destPath, wchar_t *destName) override;
  void SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) override;
  void SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) override;

private:
  // The exported functions, as dll.hpp declares them.
  struct Calls {
    RarHandle(UNRAR_CALL *openArchive)(RAROpenArchiveData *);
    RarHandle(UNRAR_CALL *openArchiveEx)(RAROpenArchiveDataEx *);
    int(UNRAR_CALL *closeArchive)(RarHandle);
    int(UNRAR_CALL *readHeader)(RarHandle, RARHeaderData *);
    int(UNRAR_CALL *readHeaderEx)(RarHandle, RARHeaderDataEx *);
    int(UNRAR_CALL *processFile)(RarHandle, int, char *, char *);
    int(UNRAR_CALL *processFileW)(RarHandle, int, wchar_t *, wchar_t *);
    void(UNRAR_CALL *setChangeVolProc)(RarHandle, CHANGEVOLPROC);
    void(UNRAR_CALL *setProcessDataProc)(RarHandle, PROCESSDATAPROC);
  };

  const Calls &Bound() {
    if (!module_)
      Load();
    return calls_;
  }

  std::string fileName_;
  LoadedModule module_;
  Calls calls_{};
};
