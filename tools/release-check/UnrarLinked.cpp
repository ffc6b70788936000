#include "tools/release-check/UnrarLinked.h"

// The library's exports, declared with our records: on Linux they have the
// same packed layout as its dll.hpp (checked by ReleaseCheckLayout).
extern "C" {
RarHandle RAROpenArchive(RAROpenArchiveData *data);
RarHandle RAROpenArchiveEx(RAROpenArchiveDataEx *data);
int RARCloseArchive(RarHandle archive);
int RARReadHeader(RarHandle archive, RARHeaderData *header);
int RARReadHeaderEx(RarHandle archive, RARHeaderDataEx *header);
int RARProcessFile(RarHandle archive, int operation, char *destPath, char *destName);
void RARSetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc);
void RARSetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc);
}

RarHandle UnrarLinked::OpenArchive(RAROpenArchiveData *data) {
  return RAROpenArchive(data);
}

RarHandle UnrarLinked::OpenArchiveEx(RAROpenArchiveDataEx *data) {
  return RAROpenArchiveEx(data);
}

int UnrarLinked::CloseArchive(RarHandle archive) {
  return RARCloseArchive(archive);
}

int UnrarLinked::ReadHeader(RarHandle archive, RARHeaderData *header) {
  return RARReadHeader(archive, header);
}

int UnrarLinked::ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) {
  return RARReadHeaderEx(archive, header);
}

int UnrarLinked::ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) {
  return RARProcessFile(archive, operation, destPath, destName);
}

void UnrarLinked::SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) {
  RARSetChangeVolProc(archive, proc);
}

void UnrarLinked::SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) {
  RARSetProcessDataProc(archive, proc);
}
