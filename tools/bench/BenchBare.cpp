// Extracts a set with unrar.dll alone: no window, no callbacks. Prints the
// wall time of the run in seconds and the peak working set in megabytes.
// Usage: bench-extract-bare ARCHIVE TARGET
//
// Built a second time as bench-extract-bar (BENCH_WITH_BAR), it does what
// no extraction window can do without: a window with a platform progress
// bar of the dialog's size, moved to each entry's rounded percentage after
// every data block, and a pass of the message loop per block; the
// platform's own floor, in time and memory, for the extraction dialog.
// With "music" it also opens and plays install.mid from the archive's
// folder through MCI, as the installer's music plays during a run.
// Usage: bench-extract-bar ARCHIVE TARGET [music]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "extract/UnrarDll.h"
#include "tools/bench/ProcessMemory.h"

#ifdef BENCH_WITH_BAR
#include <commctrl.h>
#include <mmsystem.h>

namespace {
HWND bar = nullptr;
long long entrySize = 1, written = 0;

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int UNRAR_CALL MoveBar(unsigned char *, int size) {
  written += size;
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(written * 100 / entrySize), 0);
  PumpMessages();
  return 1;
}

void ShowBar() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100,
                                253, 122, nullptr, nullptr, nullptr, nullptr);
  bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 20, 61, 207, 15, window,
                        nullptr, nullptr, nullptr);
  UpdateWindow(window);
  PumpMessages();
}

void PlayMusic(const char *archive) {
  std::string path(archive);
  path.erase(path.find_last_of('\\') + 1);
  path += "install.mid";
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = path.c_str();
  if (mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                      reinterpret_cast<DWORD_PTR>(&open)) != 0) {
    std::fprintf(stderr, "bench-extract-bar: no music\n");
    return;
  }
  MCI_PLAY_PARMS play{};
  mciSendCommandA(open.wDeviceID, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
}
} // namespace

static bool Prepare(int argc, char **argv) {
  if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "music") == 0))
    return false;
  if (argc == 4)
    PlayMusic(argv[1]);
  ShowBar();
  return true;
}
#else
static bool Prepare(int argc, char **) {
  return argc == 3;
}
#endif

int main(int argc, char **argv) {
  if (argc < 3 || !SetCurrentDirectoryA(argv[2]) || !Prepare(argc, argv)) {
    std::fprintf(stderr, "usage: bench-extract-bare ARCHIVE TARGET_FOLDER\n"
                         "       bench-extract-bar ARCHIVE TARGET_FOLDER [music]\n");
    return 2;
  }
  UnrarDll &rar = UnrarDll::Instance();
  rar.Load();

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  RAROpenArchiveData open{};
  open.ArcName = argv[1];
  open.OpenMode = RAR_OM_EXTRACT;
  RarHandle archive = rar.OpenArchive(&open);
  if (open.OpenResult != 0)
    return 4;
#ifdef BENCH_WITH_BAR
  rar.SetProcessDataProc(archive, MoveBar);
#endif
  auto header = std::make_unique<RARHeaderDataEx>();
  int result;
  while ((result = rar.ReadHeaderEx(archive, header.get())) == 0) {
#ifdef BENCH_WITH_BAR
    entrySize = static_cast<long long>(header->UnpSizeHigh) << 32 | header->UnpSize;
    if (entrySize == 0)
      entrySize = 1;
    written = 0;
    SendMessageA(bar, PBM_SETPOS, 0, 0);
#endif
    if (int processed = rar.ProcessFile(archive, RAR_EXTRACT, nullptr, nullptr))
      if (header->UnpSize != 0 || header->UnpSizeHigh != 0) {
        std::fprintf(stderr, "processing failed: %d\n", processed);
        return 5;
      }
  }
  rar.CloseArchive(archive);
  QueryPerformanceCounter(&end);
  std::printf("%.3f %.1f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart),
              ProcessWorkingSet().peak);
  return result == ERAR_END_ARCHIVE ? 0 : 6;
}
