// The extraction driver: one run over an archive set into a folder, with
// the two callbacks the archive library calls while it works. A run talks to
// the library and to a view only, and stops at the end of the set: what
// comes after (the windows' end steps, the registry import) is its caller's,
// told by the outcome. The library can be replaced, so tests can script it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "extract/PacedView.h"
#include "extract/UnrarApi.h"

class ArchiveLibrary;
class ExtractionView;

// The library the dialog's runs use; the real unrar.dll unless replaced.
ArchiveLibrary &ExtractionLibrary();
// nullptr goes back to the real unrar.dll.
void SetExtractionLibrary(ArchiveLibrary *library);

// The clock that paces the dialog's frames; a high-resolution wall clock
// unless replaced (nullptr goes back to it).
FrameClock ExtractionClock();
void SetExtractionClock(FrameClock clock);

// How a run over a set ended.
enum class ExtractionOutcome {
  // The set was walked to its end.
  Complete,
  // The library ended the set early, without a failure, after the view
  // gave up on a missing volume.
  EndedAtMissingVolume,
  // The library reported a failure; the view shows its text.
  Failed,
  // The archive library is missing or unusable; the view was told.
  LibraryUnusable,
};

// A file the library wrote, as the run saw it go by: its name in the set
// (UTF-8, backslashes), its size and CRC-32. The CRC is the header's where
// that is the whole file's; for an entry split across volumes, one in an
// older or encrypted format or with another hash, it is taken from the data
// as it passes.
struct ExtractedFile {
  std::string name;
  uint64_t size = 0;
  uint32_t crc = 0;
};

class ExtractionRun {
public:
  ExtractionRun(ArchiveLibrary &library, ExtractionView &view);
  ExtractionRun(const ExtractionRun &) = delete;
  ExtractionRun &operator=(const ExtractionRun &) = delete;

  // Walks the set whose first volume is `arcName` (mode 0 extract, 1 test,
  // 2 print) and has the library write each entry into `destination`, an
  // absolute folder in the ANSI code page (handed on in UTF-16: the
  // library's narrow call would read it in the OEM code page). The current
  // directory is neither used nor changed. On a failure the view keeps its
  // text.
  ExtractionOutcome ExtractArchive(const std::string &arcName, const std::string &destination,
                                   int mode);

  // Percent of the current entry written so far, and its unpacked size
  // (1 once data came for an entry of size 0).
  double Progress() const { return progress_; }
  int64_t EntrySize() const { return entrySize_; }
  // The files written by an extracting run (mode 0), in the set's order.
  const std::vector<ExtractedFile> &Files() const { return files_; }

  // The library's callbacks get no context of their own: they reach the
  // run that is under way, and do nothing outside one.
  static int UNRAR_CALL ChangeVolProc(char *arcName, int mode);
  static int UNRAR_CALL ProcessDataProc(unsigned char *addr, int size);

private:
  int ReadHeader(RarHandle archive, RARHeaderDataEx &header);
  void DataBlock(const unsigned char *data, int size);
  void FileWritten(const RARHeaderDataEx &header);
  bool AskForVolume(const std::string &prompt);

  ArchiveLibrary &library_;
  ExtractionView &view_;
  bool volumeRefused_ = false;
  double progress_ = 0;
  int64_t entrySize_ = 0;
  bool crcFromData_ = false;
  uint32_t dataCrc_ = 0;
  std::vector<ExtractedFile> files_;

  static ExtractionRun *current_;
};
