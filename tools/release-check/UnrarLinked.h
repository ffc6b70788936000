// The archive library on Linux: Debian's UnRAR library (libunrar), linked
// in, behind the same seam as unrar.dll on Windows.
#pragma once

#include "extract/ArchiveLibrary.h"

class UnrarLinked : public ArchiveLibrary {
public:
  RarHandle OpenArchive(RAROpenArchiveData *data) override;
  RarHandle OpenArchiveEx(RAROpenArchiveDataEx *data) override;
  int CloseArchive(RarHandle archive) override;
  int ReadHeader(RarHandle archive, RARHeaderData *header) override;
  int ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) override;
  int ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) override;
  int ProcessFileW(RarHandle archive, int operation, wchar_t *destPath, wchar_t *destName) override;
  void SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) override;
  void SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) override;
};
