// The calls of the archive library as an interface, one method per
// exported function with the same arguments and results, so that the
// extraction driver can run on the real unrar.dll (UnrarDll) or on a scripted
// stand-in that returns whatever codes a test wants.
#pragma once

#include "extract/UnrarApi.h"

class ArchiveLibrary {
public:
  virtual ~ArchiveLibrary() = default;

  // RAROpenArchive: a handle, or null with data->OpenResult set.
  virtual RarHandle OpenArchive(RAROpenArchiveData *data) = 0;
  // RAROpenArchiveEx: the same, and data->Flags tells what the volume says
  // of its set (release-check uses it; stand-ins need not offer it).
  virtual RarHandle OpenArchiveEx(RAROpenArchiveDataEx *data) {
    data->OpenResult = ERAR_UNKNOWN;
    return nullptr;
  }
  // RARCloseArchive: 0 or an ERAR_ code.
  virtual int CloseArchive(RarHandle archive) = 0;
  // RARReadHeader / RARReadHeaderEx: 0, ERAR_END_ARCHIVE at the end of the
  // set, or another ERAR_ code.
  virtual int ReadHeader(RarHandle archive, RARHeaderData *header) = 0;
  virtual int ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) = 0;
  // RARProcessFile: operation RAR_SKIP, RAR_TEST or RAR_EXTRACT; null
  // destPath and destName write the entry under its own name into the
  // current folder.
  virtual int ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) = 0;
  // RARProcessFileW: the same with a UTF-16 destination; a non-null
  // destPath is the folder the entry is written into under its own name.
  virtual int ProcessFileW(RarHandle archive, int operation, wchar_t *destPath,
                           wchar_t *destName) = 0;
  // RARSetChangeVolProc / RARSetProcessDataProc: the callbacks for later
  // calls on this handle.
  virtual void SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) = 0;
  virtual void SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) = 0;
};
