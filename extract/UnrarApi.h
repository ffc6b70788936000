// The interface of unrar.dll: records, callback types, result codes
// and operation constants, written after the library's own dll.hpp (UnRAR
// 6.2.6, RAR_DLL_VERSION 8). Layouts, values and the calling convention must
// stay exactly the library's; tests/unit/ArchiveBindingTest.cpp compares the
// records field by field with dll.hpp itself.
//
// No <windows.h> here: the handle is a plain pointer and the calling
// convention a macro, so the driver's logic can also be built for the host.
#pragma once

#include <cstddef>
#include <cstdint>

// The library's PASCAL / CALLBACK: __stdcall on 32-bit Windows, for its calls
// and for the two callbacks that the program hands it.
#if defined(_WIN32)
#define UNRAR_CALL __stdcall
#else
#define UNRAR_CALL
#endif

// The archive handle that RAROpenArchive returns (HANDLE in dll.hpp); null
// when the archive could not be opened.
using RarHandle = void *;

// Result codes of the calls, and OpenResult.
inline constexpr int ERAR_SUCCESS = 0;
inline constexpr int ERAR_END_ARCHIVE = 10;
inline constexpr int ERAR_NO_MEMORY = 11;
inline constexpr int ERAR_BAD_DATA = 12;
inline constexpr int ERAR_BAD_ARCHIVE = 13;
inline constexpr int ERAR_UNKNOWN_FORMAT = 14;
inline constexpr int ERAR_EOPEN = 15;
inline constexpr int ERAR_ECREATE = 16;
inline constexpr int ERAR_ECLOSE = 17;
inline constexpr int ERAR_EREAD = 18;
inline constexpr int ERAR_EWRITE = 19;
inline constexpr int ERAR_SMALL_BUF = 20;
inline constexpr int ERAR_UNKNOWN = 21;
inline constexpr int ERAR_MISSING_PASSWORD = 22;
inline constexpr int ERAR_EREFERENCE = 23;
inline constexpr int ERAR_BAD_PASSWORD = 24;

// RAROpenArchiveData.OpenMode.
inline constexpr unsigned RAR_OM_LIST = 0;
inline constexpr unsigned RAR_OM_EXTRACT = 1;
inline constexpr unsigned RAR_OM_LIST_INCSPLIT = 2;

// RARProcessFile's operation.
inline constexpr int RAR_SKIP = 0;
inline constexpr int RAR_TEST = 1;
inline constexpr int RAR_EXTRACT = 2;

// ChangeVolProc's mode.
inline constexpr int RAR_VOL_ASK = 0;    // next volume missing: 0 gives up, else look again
inline constexpr int RAR_VOL_NOTIFY = 1; // next volume opened

// CmtState after RAROpenArchive (our names; dll.hpp documents only values):
// 0 no comment, 1 read whole into CmtBuf and zero-terminated, otherwise an
// ERAR_ code (ERAR_SMALL_BUF: cut to the buffer, ERAR_BAD_DATA, ...).
inline constexpr unsigned RAR_CMT_ABSENT = 0;
inline constexpr unsigned RAR_CMT_READ = 1;

// RAROpenArchiveDataEx.Flags: what the opened volume says about its set.
inline constexpr unsigned ROADF_VOLUME = 0x0001;
inline constexpr unsigned ROADF_ENCHEADERS = 0x0080;
inline constexpr unsigned ROADF_FIRSTVOLUME = 0x0100;

// RARHeaderData(Ex).Flags.
inline constexpr unsigned RHDF_SPLITBEFORE = 0x01;
inline constexpr unsigned RHDF_SPLITAFTER = 0x02;
inline constexpr unsigned RHDF_ENCRYPTED = 0x04;
inline constexpr unsigned RHDF_SOLID = 0x10;
inline constexpr unsigned RHDF_DIRECTORY = 0x20;

// RARHeaderDataEx.HashType.
inline constexpr unsigned RAR_HASH_NONE = 0;
inline constexpr unsigned RAR_HASH_CRC32 = 1;
inline constexpr unsigned RAR_HASH_BLAKE2 = 2;

#pragma pack(push, 1)

struct RARHeaderData {
  char ArcName[260];
  char FileName[260];
  unsigned int Flags;
  unsigned int PackSize;
  unsigned int UnpSize;
  unsigned int HostOS;
  unsigned int FileCRC;
  unsigned int FileTime;
  unsigned int UnpVer;
  unsigned int Method;
  unsigned int FileAttr;
  char *CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
};

struct RARHeaderDataEx {
  char ArcName[1024];
  wchar_t ArcNameW[1024];
  char FileName[1024];
  wchar_t FileNameW[1024];
  unsigned int Flags;
  unsigned int PackSize;
  unsigned int PackSizeHigh;
  unsigned int UnpSize;
  unsigned int UnpSizeHigh;
  unsigned int HostOS;
  unsigned int FileCRC;
  unsigned int FileTime;
  unsigned int UnpVer;
  unsigned int Method;
  unsigned int FileAttr;
  char *CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int DictSize;
  unsigned int HashType;
  char Hash[32];
  unsigned int RedirType;
  wchar_t *RedirName;
  unsigned int RedirNameSize;
  unsigned int DirTarget;
  unsigned int MtimeLow;
  unsigned int MtimeHigh;
  unsigned int CtimeLow;
  unsigned int CtimeHigh;
  unsigned int AtimeLow;
  unsigned int AtimeHigh;
  unsigned int Reserved[988];
};

struct RAROpenArchiveData {
  char *ArcName;
  unsigned int OpenMode;
  unsigned int OpenResult;
  char *CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
};

// The library's general callback (RAROpenArchiveDataEx.Callback); LPARAM is
// pointer-sized.
typedef int(UNRAR_CALL *UNRARCALLBACK)(unsigned int msg, intptr_t UserData, intptr_t P1,
                                       intptr_t P2);

struct RAROpenArchiveDataEx {
  char *ArcName;
  wchar_t *ArcNameW;
  unsigned int OpenMode;
  unsigned int OpenResult;
  char *CmtBuf;
  unsigned int CmtBufSize;
  unsigned int CmtSize;
  unsigned int CmtState;
  unsigned int Flags;
  UNRARCALLBACK Callback;
  intptr_t UserData;
  unsigned int OpFlags;
  wchar_t *CmtBufW;
  unsigned int Reserved[25];
};

#pragma pack(pop)

// Called with the volume's path and RAR_VOL_ASK or RAR_VOL_NOTIFY.
typedef int(UNRAR_CALL *CHANGEVOLPROC)(char *ArcName, int Mode);
// Called with each block of unpacked data; 0 stops the library.
typedef int(UNRAR_CALL *PROCESSDATAPROC)(unsigned char *Addr, int Size);

#if defined(_WIN32) && !defined(_WIN64)
// The 32-bit layouts of UnRAR 6.2.6's dll.hpp.
static_assert(sizeof(RAROpenArchiveData) == 28, "RAROpenArchiveData layout");
static_assert(sizeof(RAROpenArchiveDataEx) == 152, "RAROpenArchiveDataEx layout");
static_assert(sizeof(RARHeaderData) == 572, "RARHeaderData layout");
static_assert(offsetof(RARHeaderData, UnpSize) == 528, "RARHeaderData layout");
static_assert(offsetof(RARHeaderData, CmtBuf) == 556, "RARHeaderData layout");
static_assert(sizeof(RARHeaderDataEx) == 10236, "RARHeaderDataEx layout");
static_assert(offsetof(RARHeaderDataEx, UnpSizeHigh) == 6160, "RARHeaderDataEx layout");
static_assert(offsetof(RARHeaderDataEx, Reserved) == 6284, "RARHeaderDataEx layout");
#endif
