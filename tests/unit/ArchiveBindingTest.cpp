// The unrar.dll binding (extract/UnrarApi.h, ArchiveLibrary.h, UnrarDll) on
// the real library and real archives: the sets that the fixture "archives"
// (tests/fixtures/make-archives.sh) makes with the rar tool, next to the
// original files they were made from.
#include "extract/UnrarDll.h"
#include "runtime/Exception.h"
#include "runtime/LibraryFunction.h"

#include "TempFolder.h"
#include "TestData.h"
#include "UnrarHeaderProbe.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Where things are.

std::string Archive(const std::string &name) {
  return ArchivesFolder() + "\\" + name;
}
std::string Original(const std::string &name) {
  return ArchivesFolder() + "\\src\\" + name;
}

bool IsFolder(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Every file and folder under root, as relative paths.
void ListTree(const std::string &root, const std::string &prefix, std::set<std::string> &out) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((root + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE)
    return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..")
      continue;
    out.insert(prefix + name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ListTree(root + "\\" + name, prefix + name + "\\", out);
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

std::set<std::string> Tree(const std::string &root) {
  std::set<std::string> out;
  ListTree(root, "", out);
  return out;
}

// Makes a folder the current one for the life of the object (the library
// writes entries into the current folder).
class CurrentFolder {
public:
  explicit CurrentFolder(const std::string &path) {
    GetCurrentDirectoryA(sizeof old_, old_);
    EXPECT_TRUE(SetCurrentDirectoryA(path.c_str())) << path;
  }
  ~CurrentFolder() { SetCurrentDirectoryA(old_); }
  CurrentFolder(const CurrentFolder &) = delete;
  CurrentFolder &operator=(const CurrentFolder &) = delete;

private:
  char old_[MAX_PATH * 2] = {};
};

// ---------------------------------------------------------------------------
// The two callbacks. The library passes them no context, so they report to
// the recorder of the running test through a global.

struct Recorder {
  std::vector<std::pair<int, std::string>> volumeCalls; // (mode, path) in order
  // Answer to RAR_VOL_ASK, given the path asked for; none: refuse (0).
  std::function<int(const std::string &)> onAsk;
  std::string data; // the bytes of the current entry, block after block
  int blocks = 0;
};

Recorder *g_recorder = nullptr;

int UNRAR_CALL ChangeVolProc(char *arcName, int mode) {
  if (g_recorder == nullptr) {
    ADD_FAILURE() << "ChangeVolProc called without a recorder";
    return 0;
  }
  g_recorder->volumeCalls.emplace_back(mode, arcName);
  if (mode == RAR_VOL_ASK)
    return g_recorder->onAsk ? g_recorder->onAsk(arcName) : 0;
  return 1;
}

int UNRAR_CALL ProcessDataProc(unsigned char *addr, int size) {
  if (g_recorder == nullptr) {
    ADD_FAILURE() << "ProcessDataProc called without a recorder";
    return 0;
  }
  EXPECT_GT(size, 0);
  g_recorder->data.append(reinterpret_cast<const char *>(addr), static_cast<size_t>(size));
  ++g_recorder->blocks;
  return 1;
}

class RecorderScope {
public:
  explicit RecorderScope(Recorder &recorder) { g_recorder = &recorder; }
  ~RecorderScope() { g_recorder = nullptr; }
  RecorderScope(const RecorderScope &) = delete;
  RecorderScope &operator=(const RecorderScope &) = delete;
};

// ---------------------------------------------------------------------------
// One run over a set, the way the extraction driver makes it.

struct Entry {
  std::string name;
  unsigned unpSize = 0;
  unsigned flags = 0;
  int result = -1;  // RARProcessFile
  std::string data; // what the data callback delivered
  int blocks = 0;
};

struct Walk {
  int openResult = -1;
  unsigned cmtState = 0;
  unsigned cmtSize = 0;
  std::string comment; // CmtBuf up to its zero, never past the buffer
  std::vector<Entry> entries;
  int lastRead = -1; // the header read that ended the loop (-1: a failure did)
  int closeResult = -1;
};

constexpr unsigned kCommentBuffer = 16384;

Walk WalkSet(ArchiveLibrary &library, const std::string &path, int operation, Recorder &recorder,
             unsigned commentBuffer = kCommentBuffer) {
  RecorderScope scope(recorder);
  Walk walk;
  std::vector<char> arcName(path.begin(), path.end());
  arcName.push_back('\0');
  std::vector<char> comment(commentBuffer + 16, '\x7F'); // guard bytes past the end

  RAROpenArchiveData open{};
  open.ArcName = arcName.data();
  open.OpenMode = RAR_OM_EXTRACT;
  open.CmtBuf = comment.data();
  open.CmtBufSize = commentBuffer;
  RarHandle archive = library.OpenArchive(&open);
  walk.openResult = static_cast<int>(open.OpenResult);
  if (archive == nullptr)
    return walk;
  EXPECT_EQ(walk.openResult, 0);
  walk.cmtState = open.CmtState;
  walk.cmtSize = open.CmtSize;
  for (unsigned i = commentBuffer; i < comment.size(); ++i)
    EXPECT_EQ(comment[i], '\x7F') << "comment written past CmtBufSize at " << i;
  if (open.CmtState == RAR_CMT_READ)
    walk.comment.assign(comment.data(), strnlen(comment.data(), commentBuffer));

  library.SetChangeVolProc(archive, ChangeVolProc);
  library.SetProcessDataProc(archive, ProcessDataProc);

  RARHeaderData header{};
  header.CmtBuf = nullptr;
  int read;
  while ((read = library.ReadHeader(archive, &header)) == 0) {
    Entry entry;
    entry.name.assign(header.FileName, strnlen(header.FileName, sizeof header.FileName));
    entry.unpSize = header.UnpSize;
    entry.flags = header.Flags;
    recorder.data.clear();
    recorder.blocks = 0;
    entry.result = library.ProcessFile(archive, operation, nullptr, nullptr);
    entry.data = recorder.data;
    entry.blocks = recorder.blocks;
    walk.entries.push_back(entry);
    if (entry.result != 0)
      break;
  }
  walk.lastRead = (walk.entries.empty() || walk.entries.back().result == 0) ? read : -1;
  walk.closeResult = library.CloseArchive(archive);
  return walk;
}

std::vector<std::string> Names(const Walk &walk) {
  std::vector<std::string> names;
  for (const Entry &entry : walk.entries)
    names.push_back(entry.name);
  return names;
}

const std::vector<std::string> kMultiEntries = {"readme.txt", "data\\alpha.bin", "data\\beta.bin",
                                                "empty.txt", "emptydir"};
const std::vector<std::string> kFiles = {"readme.txt", "data\\alpha.bin", "data\\beta.bin",
                                         "empty.txt"};

ArchiveLibrary &Library() {
  return UnrarDll::Instance();
}

} // namespace

// ---------------------------------------------------------------------------
// Our header against the library's.

TEST(ArchiveBinding, RecordsAndConstantsMatchTheLibraryHeader) {
  const std::vector<UnrarLayoutItem> ours = {
#include "UnrarLayoutItems.inc"
  };
  const std::vector<UnrarLayoutItem> library = LibraryHeaderLayout();
  ASSERT_EQ(ours.size(), library.size());
  for (size_t i = 0; i < ours.size(); ++i) {
    EXPECT_EQ(ours[i].name, library[i].name);
    EXPECT_EQ(ours[i].value, library[i].value) << ours[i].name;
  }
}

TEST(ArchiveBinding, CallbacksUseTheLibraryCallingConvention) {
  EXPECT_TRUE(LibraryCallbacksAreStdcall());
  EXPECT_TRUE((std::is_same<CHANGEVOLPROC, int(__stdcall *)(char *, int)>::value));
  EXPECT_TRUE((std::is_same<PROCESSDATAPROC, int(__stdcall *)(unsigned char *, int)>::value));
}

// ---------------------------------------------------------------------------
// The three-volume set with its comment.

TEST(ArchiveBinding, MultiVolumeSetIsWalkedInOrderToTheEnd) {
  TempFolder target;
  CurrentFolder here(target.Root());
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_EXTRACT, recorder);

  ASSERT_EQ(walk.openResult, 0);
  EXPECT_EQ(Names(walk), kMultiEntries);
  for (const Entry &entry : walk.entries)
    EXPECT_EQ(entry.result, 0) << entry.name;
  EXPECT_EQ(walk.lastRead, ERAR_END_ARCHIVE);
  EXPECT_EQ(walk.closeResult, 0);
  ASSERT_EQ(walk.entries.size(), kMultiEntries.size());
  EXPECT_TRUE(walk.entries[4].flags & RHDF_DIRECTORY);
  EXPECT_FALSE(walk.entries[0].flags & RHDF_DIRECTORY);
}

TEST(ArchiveBinding, CommentComesBackWhole) {
  const std::string expected = TempFolder::ReadFile(Archive("comment.txt"));
  ASSERT_GT(expected.size(), 2000u); // many lines, not one short string
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_TEST, recorder);
  ASSERT_EQ(walk.openResult, 0);
  EXPECT_EQ(walk.cmtState, RAR_CMT_READ);
  EXPECT_EQ(walk.comment, expected);
  EXPECT_EQ(walk.cmtSize, expected.size() + 1); // with its terminating zero
}

TEST(ArchiveBinding, CommentLargerThanTheBufferIsNotReportedAsRead) {
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_TEST, recorder, 100);
  ASSERT_EQ(walk.openResult, 0);
  EXPECT_EQ(static_cast<int>(walk.cmtState), ERAR_SMALL_BUF);
}

TEST(ArchiveBinding, ArchiveWithoutCommentHasCmtStateZero) {
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("plain.rar"), RAR_TEST, recorder);
  ASSERT_EQ(walk.openResult, 0);
  EXPECT_EQ(walk.cmtState, RAR_CMT_ABSENT);
}

TEST(ArchiveBinding, EachFurtherVolumeIsAnnouncedWithItsPath) {
  TempFolder target;
  CurrentFolder here(target.Root());
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_EXTRACT, recorder);
  ASSERT_EQ(walk.lastRead, ERAR_END_ARCHIVE);
  const std::vector<std::pair<int, std::string>> expected = {
      {RAR_VOL_NOTIFY, Archive("multi.part2.rar")},
      {RAR_VOL_NOTIFY, Archive("multi.part3.rar")},
  };
  EXPECT_EQ(recorder.volumeCalls, expected);
}

TEST(ArchiveBinding, DataCallbackSizesAddUpToEachEntry) {
  TempFolder target;
  CurrentFolder here(target.Root());
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_EXTRACT, recorder);
  ASSERT_EQ(walk.entries.size(), kMultiEntries.size());
  for (const Entry &entry : walk.entries) {
    EXPECT_EQ(entry.data.size(), entry.unpSize) << entry.name;
    if (entry.unpSize == 0) {
      EXPECT_EQ(entry.blocks, 0) << entry.name;
    }
  }
  // The blocks are the entry's own bytes in order, across the volume break
  // (how many blocks is the library's matter: a compressed entry smaller
  // than the dictionary comes in one).
  EXPECT_EQ(walk.entries[1].data, TempFolder::ReadFile(Original("data\\alpha.bin")));
  EXPECT_EQ(walk.entries[2].data, TempFolder::ReadFile(Original("data\\beta.bin")));
  EXPECT_EQ(walk.entries[1].unpSize, 150000u);
  EXPECT_EQ(walk.entries[2].unpSize, 90000u);
}

TEST(ArchiveBinding, ExtractedFilesAreIdenticalToTheOriginals) {
  TempFolder target;
  {
    CurrentFolder here(target.Root());
    Recorder recorder;
    const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_EXTRACT, recorder);
    ASSERT_EQ(walk.lastRead, ERAR_END_ARCHIVE);
  }
  EXPECT_EQ(Tree(target.Root()), (std::set<std::string>{"data", "data\\alpha.bin", "data\\beta.bin",
                                                        "empty.txt", "emptydir", "readme.txt"}));
  for (const std::string &file : kFiles) {
    ASSERT_TRUE(IsFile(target.Path(file))) << file;
    const std::string original = TempFolder::ReadFile(Original(file));
    const std::string extracted = TempFolder::ReadFile(target.Path(file));
    EXPECT_EQ(extracted.size(), original.size()) << file;
    EXPECT_TRUE(extracted == original) << file << " differs from the original";
  }
  EXPECT_TRUE(IsFolder(target.Path("emptydir")));
}

TEST(ArchiveBinding, TestModeChecksEverythingAndWritesNothing) {
  TempFolder target;
  CurrentFolder here(target.Root());
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("multi.part1.rar"), RAR_TEST, recorder);
  EXPECT_EQ(Names(walk), kMultiEntries);
  for (const Entry &entry : walk.entries) {
    EXPECT_EQ(entry.result, 0) << entry.name;
    EXPECT_EQ(entry.data.size(), entry.unpSize) << entry.name;
  }
  EXPECT_EQ(walk.lastRead, ERAR_END_ARCHIVE);
  EXPECT_EQ(recorder.volumeCalls.size(), 2u);
  EXPECT_TRUE(Tree(target.Root()).empty());
}

// ---------------------------------------------------------------------------
// Damage and missing pieces.

TEST(ArchiveBinding, DamagedDataGivesCrcError) {
  for (int operation : {RAR_TEST, RAR_EXTRACT}) {
    TempFolder target;
    CurrentFolder here(target.Root());
    Recorder recorder;
    const Walk walk = WalkSet(Library(), Archive("damaged-data.rar"), operation, recorder);
    ASSERT_EQ(walk.openResult, 0);
    ASSERT_EQ(walk.entries.size(), 1u) << "operation " << operation;
    EXPECT_EQ(walk.entries[0].name, "data\\alpha.bin");
    EXPECT_EQ(walk.entries[0].result, ERAR_BAD_DATA) << "operation " << operation;
    EXPECT_EQ(walk.closeResult, 0);
  }
}

TEST(ArchiveBinding, UnparsableFileHeaderGivesBadDataFromReadHeader) {
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("damaged-header.rar"), RAR_TEST, recorder);
  ASSERT_EQ(walk.openResult, 0);
  EXPECT_TRUE(walk.entries.empty());
  EXPECT_EQ(walk.lastRead, ERAR_BAD_DATA);
}

// The library's own choice, pinned so that nobody expects otherwise: a RAR5
// header that parses but fails its CRC is handed out as if good (here with
// the name cut at the damaged byte) and its entry is processed; only the read
// at the end of the set says ERAR_BAD_DATA instead of ERAR_END_ARCHIVE. The
// driver then shows "File header broken" after having unpacked everything.
TEST(ArchiveBinding, FileHeaderWithBadCrcIsHandedOutAndTheEndSaysBadData) {
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("header-crc.rar"), RAR_TEST, recorder);
  ASSERT_EQ(walk.openResult, 0);
  ASSERT_EQ(walk.entries.size(), 4u);
  EXPECT_NE(walk.entries[0].name, "data\\alpha.bin");
  EXPECT_EQ(walk.entries[0].unpSize, 150000u);
  for (const Entry &entry : walk.entries)
    EXPECT_EQ(entry.result, 0) << entry.name;
  EXPECT_EQ(walk.lastRead, ERAR_BAD_DATA);
}

TEST(ArchiveBinding, MissingVolumeIsAskedForAndRefusalFailsTheCall) {
  TempFolder target;
  const std::string set = target.MakeFolder("set");
  for (const char *volume : {"multi.part1.rar", "multi.part2.rar"})
    ASSERT_TRUE(CopyFileA(Archive(volume).c_str(), (set + "\\" + volume).c_str(), FALSE));
  const std::string out = target.MakeFolder("out");
  CurrentFolder here(out);
  Recorder recorder; // no onAsk: refuses
  const Walk walk = WalkSet(Library(), set + "\\multi.part1.rar", RAR_EXTRACT, recorder);

  const std::vector<std::pair<int, std::string>> expected = {
      {RAR_VOL_NOTIFY, set + "\\multi.part2.rar"},
      {RAR_VOL_ASK, set + "\\multi.part3.rar"},
  };
  EXPECT_EQ(recorder.volumeCalls, expected);
  // beta.bin runs on into the missing volume: its processing fails.
  ASSERT_EQ(Names(walk),
            (std::vector<std::string>{"readme.txt", "data\\alpha.bin", "data\\beta.bin"}));
  EXPECT_EQ(walk.entries[0].result, 0);
  EXPECT_EQ(walk.entries[1].result, 0);
  EXPECT_EQ(walk.entries[2].result, ERAR_EOPEN);
  EXPECT_EQ(walk.lastRead, -1);
  EXPECT_EQ(walk.closeResult, 0);
}

TEST(ArchiveBinding, MissingVolumePutInPlaceWhenAskedIsUsed) {
  TempFolder target;
  const std::string set = target.MakeFolder("set");
  for (const char *volume : {"multi.part1.rar", "multi.part2.rar"})
    ASSERT_TRUE(CopyFileA(Archive(volume).c_str(), (set + "\\" + volume).c_str(), FALSE));
  const std::string out = target.MakeFolder("out");
  CurrentFolder here(out);
  Recorder recorder;
  int asked = 0;
  recorder.onAsk = [&](const std::string &path) {
    ++asked;
    // The user "inserts the disk", then answers OK.
    EXPECT_TRUE(CopyFileA(Archive("multi.part3.rar").c_str(), path.c_str(), FALSE)) << path;
    return 1;
  };
  const Walk walk = WalkSet(Library(), set + "\\multi.part1.rar", RAR_EXTRACT, recorder);

  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Names(walk), kMultiEntries);
  EXPECT_EQ(walk.lastRead, ERAR_END_ARCHIVE);
  EXPECT_EQ(TempFolder::ReadFile(out + "\\data\\beta.bin"),
            TempFolder::ReadFile(Original("data\\beta.bin")));
  ASSERT_FALSE(recorder.volumeCalls.empty());
  EXPECT_EQ(recorder.volumeCalls.back(),
            (std::pair<int, std::string>{RAR_VOL_NOTIFY, set + "\\multi.part3.rar"}));
}

TEST(ArchiveBinding, FileThatIsNoArchiveGivesBadArchive) {
  Recorder recorder;
  const Walk walk = WalkSet(Library(), Archive("not-an-archive.rar"), RAR_TEST, recorder);
  EXPECT_EQ(walk.openResult, ERAR_BAD_ARCHIVE);
  EXPECT_TRUE(walk.entries.empty());
}

TEST(ArchiveBinding, MissingFileGivesOpenError) {
  RAROpenArchiveData open{};
  std::string path = Archive("no-such-archive.rar");
  open.ArcName = &path[0];
  open.OpenMode = RAR_OM_EXTRACT;
  EXPECT_EQ(Library().OpenArchive(&open), nullptr);
  EXPECT_EQ(static_cast<int>(open.OpenResult), ERAR_EOPEN);
}

// ---------------------------------------------------------------------------
// RARReadHeaderEx.

TEST(ArchiveBinding, ReadHeaderExGivesNamesAndSixtyFourBitSizes) {
  struct Expected {
    const char *name;
    unsigned size;
    bool folder;
  };
  const std::vector<Expected> expected = {
      {"data\\alpha.bin", 150000, false},
      {"readme.txt", static_cast<unsigned>(TempFolder::ReadFile(Original("readme.txt")).size()),
       false},
      {"empty.txt", 0, false},
      {"emptydir", 0, true},
  };
  std::string path = Archive("plain.rar");
  RAROpenArchiveData open{};
  open.ArcName = &path[0];
  open.OpenMode = RAR_OM_EXTRACT;
  RarHandle archive = Library().OpenArchive(&open);
  ASSERT_NE(archive, nullptr);

  size_t i = 0;
  RARHeaderDataEx header{};
  // Filled by the library, which must not touch the caller's memory after it.
  static_assert(sizeof header > 10000, "the Ex record is about 10 KB");
  int read;
  while ((read = Library().ReadHeaderEx(archive, &header)) == 0) {
    ASSERT_LT(i, expected.size());
    EXPECT_STREQ(header.FileName, expected[i].name);
    char narrow[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, header.FileNameW, -1, narrow, sizeof narrow, nullptr, nullptr);
    EXPECT_STREQ(narrow, expected[i].name);
    EXPECT_EQ(header.UnpSize, expected[i].size) << expected[i].name;
    EXPECT_EQ(header.UnpSizeHigh, 0u) << expected[i].name;
    // Stored (-m0): packed as large as unpacked.
    EXPECT_EQ(header.PackSize, expected[i].size) << expected[i].name;
    EXPECT_EQ(header.PackSizeHigh, 0u) << expected[i].name;
    EXPECT_EQ((header.Flags & RHDF_DIRECTORY) != 0, expected[i].folder) << expected[i].name;
    EXPECT_EQ(Library().ProcessFile(archive, RAR_SKIP, nullptr, nullptr), 0);
    ++i;
  }
  EXPECT_EQ(read, ERAR_END_ARCHIVE);
  EXPECT_EQ(i, expected.size());
  EXPECT_EQ(Library().CloseArchive(archive), 0);
}

// ---------------------------------------------------------------------------
// Loading.

TEST(ArchiveBinding, RealLibraryIsLoadedLazilyOncePerProcess) {
  UnrarDll &instance = UnrarDll::Instance();
  EXPECT_EQ(&instance, &UnrarDll::Instance());
  // By the program's own folder, never by the loader's search.
  EXPECT_EQ(instance.FileName(), ProgramFolder() + "\\unrar.dll");
  if (!instance.Loaded()) { // this test alone in its process (as CTest runs it)
    EXPECT_EQ(GetModuleHandleA("unrar.dll"), nullptr) << "loaded before the first call";
  }

  RAROpenArchiveData open{};
  std::string path = Archive("no-such-archive.rar");
  open.ArcName = &path[0];
  instance.OpenArchive(&open);
  EXPECT_TRUE(instance.Loaded());
  HMODULE module = GetModuleHandleA("unrar.dll");
  EXPECT_NE(module, nullptr);
  instance.Load(); // no second load
  EXPECT_EQ(GetModuleHandleA("unrar.dll"), module);
}

TEST(ArchiveBinding, MissingLibraryThrowsNamingTheFile) {
  UnrarDll library("no-such-unrar.dll"); // nothing happens before the first call
  EXPECT_FALSE(library.Loaded());
  RAROpenArchiveData open{};
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      library.OpenArchive(&open);
      ADD_FAILURE() << "no exception";
    } catch (const Exception &e) {
      EXPECT_EQ(e.Message().rfind("Cannot load no-such-unrar.dll", 0), 0u) << e.Message();
      EXPECT_EQ(e.Message().find('\n'), std::string::npos);
    }
  }
  EXPECT_FALSE(library.Loaded());
}

TEST(ArchiveBinding, LibraryWithoutTheCallsThrowsNamingTheCall) {
  UnrarDll library("kernel32.dll");
  try {
    library.Load();
    ADD_FAILURE() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "kernel32.dll has no entry point RAROpenArchive");
  }
  EXPECT_FALSE(library.Loaded());
}

TEST(ArchiveBinding, LibraryMissingOneCallThrowsNamingThatCall) {
  // unrar-partial.dll (built with this test) exports every call but
  // RARReadHeaderEx.
  UnrarDll library("unrar-partial.dll");
  RARHeaderData header{};
  try {
    library.ReadHeader(nullptr, &header);
    ADD_FAILURE() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "unrar-partial.dll has no entry point RARReadHeaderEx");
  }
  EXPECT_FALSE(library.Loaded());
}
