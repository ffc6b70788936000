// The extraction driver and the two callbacks the archive library calls
// while it works.
#include "extract/ExtractArchive.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "extract/EntryChecksum.h"
#include "extract/ExtractTexts.h"
#include "extract/ExtractionView.h"
#include "extract/UnrarDll.h"
#include "extract/WideName.h"
#include "runtime/Crc32.h"
#include "runtime/Exception.h"
#include "runtime/SystemEntry.h"
#include "runtime/WideFiles.h"

namespace {
constexpr unsigned kCommentSize = 16384;

ArchiveLibrary *library = nullptr;
FrameClock frameClock;

uint32_t PerformanceMilliseconds() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint32_t>(now.QuadPart * 1000 / frequency);
}

// Makes a run the one the callbacks reach for as long as it walks the set.
class CurrentRun {
public:
  CurrentRun(ExtractionRun *&slot, ExtractionRun *run) : slot_(slot), previous_(slot) {
    slot_ = run;
  }
  ~CurrentRun() { slot_ = previous_; }
  CurrentRun(const CurrentRun &) = delete;
  CurrentRun &operator=(const CurrentRun &) = delete;

private:
  ExtractionRun *&slot_;
  ExtractionRun *previous_;
};
} // namespace

ExtractionRun *ExtractionRun::current_ = nullptr;

ArchiveLibrary &ExtractionLibrary() {
  return library ? *library : UnrarDll::Instance();
}

void SetExtractionLibrary(ArchiveLibrary *replacement) {
  library = replacement;
}

FrameClock ExtractionClock() {
  return frameClock ? frameClock : FrameClock(PerformanceMilliseconds);
}

void SetExtractionClock(FrameClock clock) {
  frameClock = std::move(clock);
}

ExtractionRun::ExtractionRun(ArchiveLibrary &library, ExtractionView &view)
    : library_(library), view_(view) {}

int ExtractionRun::ReadHeader(RarHandle archive, RARHeaderDataEx &header) {
  header = RARHeaderDataEx{};
  header.CmtBuf = nullptr;
  int result = library_.ReadHeaderEx(archive, &header);
  progress_ = 0;
  entrySize_ =
      static_cast<int64_t>(static_cast<uint64_t>(header.UnpSizeHigh) << 32 | header.UnpSize);
  crcFromData_ = !HeaderHoldsFileCrc(header);
  dataCrc_ = 0;
  view_.ShowProgress(0);
  return result;
}

ExtractionOutcome ExtractionRun::ExtractArchive(const std::string &arcName,
                                                const std::string &destination, int mode) {
  CurrentRun current(current_, this);
  volumeRefused_ = false;

  std::vector<char> path(arcName.begin(), arcName.end());
  path.push_back('\0');
  std::vector<char> comment(kCommentSize, '\0');
  RAROpenArchiveData open{};
  open.ArcName = path.data();
  open.OpenMode = RAR_OM_EXTRACT;
  open.CmtBuf = comment.data();
  open.CmtBufSize = kCommentSize;

  RarHandle archive;
  try {
    archive = library_.OpenArchive(&open);
  } catch (const Exception &error) {
    view_.ShowLibraryFailure(error);
    return ExtractionOutcome::LibraryUnusable;
  }
  if (open.OpenResult != 0) {
    view_.ShowStatus(OpenFailureText(static_cast<int>(open.OpenResult), arcName));
    return ExtractionOutcome::Failed;
  }

  if (open.CmtState == RAR_CMT_READ)
    view_.ShowStatus("Comentario:" +
                     std::string(comment.data(), strnlen(comment.data(), kCommentSize)));

  library_.SetChangeVolProc(archive, ChangeVolProc);
  library_.SetProcessDataProc(archive, ProcessDataProc);

  // The extended header: the 64-bit size of entries past 4 GB, and the
  // name in its wide form.
  auto header = std::make_unique<RARHeaderDataEx>();
  const int operation = mode == 0 ? RAR_EXTRACT : RAR_TEST;
  const std::string prefix = ModePrefix(mode);
  // An empty folder (none could be read) leaves the library its default:
  // the current one.
  WideString folder = WideFolder(destination);
  wchar_t *destPath = folder.empty() ? nullptr : &folder[0];

  int result = ReadHeader(archive, *header);
  while (result == 0) {
    if (!prefix.empty())
      view_.ShowStatus(prefix + EntryDisplayName(*header));
    int processed = library_.ProcessFileW(archive, operation, destPath, nullptr);
    // A folder or an empty file that got no data may fail harmlessly.
    if (processed != 0 && entrySize_ != 0) {
      view_.ShowStatus(ProcessFailureText(processed));
      library_.CloseArchive(archive);
      return ExtractionOutcome::Failed;
    }
    if (mode == 0 && processed == 0 && !(header->Flags & RHDF_DIRECTORY))
      FileWritten(*header);
    result = ReadHeader(archive, *header);
  }
  if (result != ERAR_END_ARCHIVE) {
    // The set was not walked to its end: what has been written is partial.
    view_.ShowStatus(HeaderFailureText(result));
    library_.CloseArchive(archive);
    return ExtractionOutcome::Failed;
  }

  library_.CloseArchive(archive);
  return volumeRefused_ ? ExtractionOutcome::EndedAtMissingVolume : ExtractionOutcome::Complete;
}

bool ExtractionRun::AskForVolume(const std::string &prompt) {
  if (view_.AskForVolume(prompt))
    return true;
  volumeRefused_ = true;
  return false;
}

void ExtractionRun::FileWritten(const RARHeaderDataEx &header) {
  std::string name = CodePageText(
      header.FileNameW,
      wcsnlen(header.FileNameW, sizeof header.FileNameW / sizeof header.FileNameW[0]), CP_UTF8);
  for (char &c : name)
    if (c == '/')
      c = '\\';
  files_.push_back({std::move(name),
                    static_cast<uint64_t>(header.UnpSizeHigh) << 32 | header.UnpSize,
                    crcFromData_ ? dataCrc_ : header.FileCRC});
}

void ExtractionRun::DataBlock(const unsigned char *data, int size) {
  if (crcFromData_ && size > 0)
    dataCrc_ = Crc32(data, static_cast<size_t>(size), dataCrc_);
  if (entrySize_ == 0)
    entrySize_ = 1;
  long double sum = progress_ + static_cast<long double>(size) / entrySize_ * 100;
  progress_ = static_cast<double>(sum);
  view_.ShowProgress(RoundPercent(progress_));
  // Repaints, and lets the cancel label be clicked during the run.
  view_.ProcessMessages();
}

int UNRAR_CALL ExtractionRun::ChangeVolProc(char *arcName, int mode) {
  // A failed prompt gives up on the volume rather than asking forever.
  return GuardedEntry(mode == RAR_VOL_ASK ? 0 : 1, [&] {
    ExtractionRun *run = current_;
    if (mode == RAR_VOL_ASK)
      return run && run->AskForVolume(VolumePromptText(arcName)) ? 1 : 0;
    if (run)
      run->view_.ShowHeading("Unpacking > " + VolumeFileName(arcName));
    return 1;
  });
}

int UNRAR_CALL ExtractionRun::ProcessDataProc(unsigned char *data, int size) {
  return GuardedEntry(1, [&] {
    if (ExtractionRun *run = current_)
      run->DataBlock(data, size);
    return 1;
  });
}
