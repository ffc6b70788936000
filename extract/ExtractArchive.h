// The extraction driver: one run over an archive set, with the two
// callbacks the archive library calls while it works. A run talks to the
// library and to a view only; what its end steps need comes in with it.
// The library and the shell that starts the registry editor can be
// replaced, so tests can script the one and record the other.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

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

using ShellExecuteFunction = std::function<HINSTANCE(HWND owner, LPCSTR verb, LPCSTR file,
                                                     LPCSTR parameters, LPCSTR folder, INT show)>;
// An empty one (nullptr) goes back to ShellExecuteA.
void SetShellExecute(ShellExecuteFunction function);

// What the steps after a complete run need, taken from the splash window's
// hidden controls by whoever starts the run.
struct ExtractionEnd {
  std::string installerFolder; // made current again
  std::string regFile;         // handed to the registry editor if it names a file
};

class ExtractionRun {
public:
  ExtractionRun(ArchiveLibrary &library, ExtractionView &view, ExtractionEnd end);
  ExtractionRun(const ExtractionRun &) = delete;
  ExtractionRun &operator=(const ExtractionRun &) = delete;

  // Walks the set whose first volume is `arcName` (mode 0 extract, 1 test,
  // 2 print) into the current folder. On a failure the view keeps its text
  // and nothing else happens; at the end of the set the view finishes, the
  // installer's folder becomes current and the registry file is imported.
  void ExtractArchive(const std::string &arcName, int mode);
  // Starts the registry editor on `fileName`, without waiting for it.
  void RunRegEdit(const std::string &fileName);

  // Percent of the current entry written so far, and its unpacked size
  // (1 once data came for an entry of size 0).
  double Progress() const { return progress_; }
  int64_t EntrySize() const { return entrySize_; }

  // The library's callbacks get no context of their own: they reach the
  // run that is under way, and do nothing outside one.
  static int UNRAR_CALL ChangeVolProc(char *arcName, int mode);
  static int UNRAR_CALL ProcessDataProc(unsigned char *addr, int size);

private:
  int ReadHeader(RarHandle archive, RARHeaderDataEx &header);
  void DataBlock(int size);
  void Finish();

  ArchiveLibrary &library_;
  ExtractionView &view_;
  ExtractionEnd end_;
  double progress_ = 0;
  int64_t entrySize_ = 0;

  static ExtractionRun *current_;
};
