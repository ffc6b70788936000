#include "tools/release-check/UnrarLinked.h"

#include <cstddef>

// The library's own declarations, kept apart from our records of the same
// names. _UNIX makes dll.hpp define its Windows types for this system.
namespace lib {
#define _UNIX
#include <unrar/dll.hpp>
} // namespace lib

// Our records must have the library's layout on this system too.
#define UNRAR_RECORD(R) static_assert(sizeof(::R) == sizeof(lib::R), "size of " #R);
#define UNRAR_FIELD(R, F)                                                                          \
  static_assert(offsetof(::R, F) == offsetof(lib::R, F), "offset of " #R "." #F);
#define UNRAR_CONST(N)
#include "extract/UnrarLayout.inc"
#undef UNRAR_RECORD
#undef UNRAR_FIELD
#undef UNRAR_CONST

namespace {
template <typename To, typename From> To *As(From *record) {
  return reinterpret_cast<To *>(record);
}
} // namespace

RarHandle UnrarLinked::OpenArchive(RAROpenArchiveData *data) {
  return lib::RAROpenArchive(As<lib::RAROpenArchiveData>(data));
}

RarHandle UnrarLinked::OpenArchiveEx(RAROpenArchiveDataEx *data) {
  return lib::RAROpenArchiveEx(As<lib::RAROpenArchiveDataEx>(data));
}

int UnrarLinked::CloseArchive(RarHandle archive) {
  return lib::RARCloseArchive(archive);
}

int UnrarLinked::ReadHeader(RarHandle archive, RARHeaderData *header) {
  return lib::RARReadHeader(archive, As<lib::RARHeaderData>(header));
}

int UnrarLinked::ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) {
  return lib::RARReadHeaderEx(archive, As<lib::RARHeaderDataEx>(header));
}

int UnrarLinked::ProcessFile(RarHandle archive, int operation, char *destPath, char *destName) {
  return lib::RARProcessFile(archive, operation, destPath, destName);
}

int UnrarLinked::ProcessFileW(RarHandle archive, int operation, wchar_t *destPath,
                              wchar_t *destName) {
  return lib::RARProcessFileW(archive, operation, destPath, destName);
}

void UnrarLinked::SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) {
  lib::RARSetChangeVolProc(archive, proc);
}

void UnrarLinked::SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) {
  lib::RARSetProcessDataProc(archive, proc);
}
