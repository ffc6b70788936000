// Extracts a set with unrar.dll alone: no window, no callbacks. Prints the
// wall time of the run in seconds and the peak working set in megabytes.
// With "bar" as a third argument it does what no extraction window can do
// without: a window with a platform progress bar of the dialog's size,
// moved to each entry's rounded percentage after every data block, and a
// pass of the message loop per block; the platform's own floor, in time and
// memory, for the extraction dialog.
// Usage: bench-extract-bare ARCHIVE TARGET [bar]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "extract/UnrarDll.h"
#include "tools/bench/ProcessMemory.h"

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

// The common controls are loaded here, not at start: the plain run maps
// no more DLLs than unrar.dll needs.
void ShowBar() {
  using Init = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
  auto init = reinterpret_cast<Init>(reinterpret_cast<void *>(
      GetProcAddress(LoadLibraryA("comctl32.dll"), "InitCommonControlsEx")));
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  if (init)
    init(&classes);
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100,
                                253, 122, nullptr, nullptr, nullptr, nullptr);
  bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 20, 61, 207, 15, window,
                        nullptr, nullptr, nullptr);
  UpdateWindow(window);
  PumpMessages();
}
} // namespace

int main(int argc, char **argv) {
  if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "bar") == 0)) {
    std::fprintf(stderr, "usage: bench-extract-bare ARCHIVE TARGET_FOLDER [bar]\n");
    return 2;
  }
  if (!SetCurrentDirectoryA(argv[2]))
    return 3;
  UnrarDll &rar = UnrarDll::Instance();
  rar.Load();
  if (argc == 4)
    ShowBar();

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  RAROpenArchiveData open{};
  open.ArcName = argv[1];
  open.OpenMode = RAR_OM_EXTRACT;
  RarHandle archive = rar.OpenArchive(&open);
  if (open.OpenResult != 0)
    return 4;
  if (bar)
    rar.SetProcessDataProc(archive, MoveBar);
  auto header = std::make_unique<RARHeaderDataEx>();
  int result;
  while ((result = rar.ReadHeaderEx(archive, header.get())) == 0) {
    entrySize = static_cast<long long>(header->UnpSizeHigh) << 32 | header->UnpSize;
    if (entrySize == 0)
      entrySize = 1;
    written = 0;
    if (bar)
      SendMessageA(bar, PBM_SETPOS, 0, 0);
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
