// Extracts a set through the real extraction dialog, as a click on its
// extract label would, and prints one line:
//   "SECONDS CALLBACK_S BLOCKS REPAINTS SETPOS_MS SAME_MS MESSAGES_MS PEAK_MB GAP_MS"
// the wall time of the run; with BENCH_TIME_CALLBACK set, the time spent in
// the library's data callback and the number of its calls (else 0 0); the
// progress bar's paints during the run; the per-call costs measured after
// the run on a bare progress bar (see MeasureBareBar); the peak working
// set of the process; and the longest time between two passes of the
// message loop during the run (see PumpGap).
// Usage: bench-extract-dialog RELEASE_FOLDER TARGET_FOLDER
// (the release folder holds install.ini, install.mid and the set).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "app/CreateForms.h"
#include "extract/ExtractArchive.h"
#include "extract/UnrarDll.h"
#include "runtime/Application.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form4.h"
#include "tools/bench/ProcessMemory.h"

namespace {
// The real library with the data callback timed, to tell the dialog's own
// share of a run from the library's.
LARGE_INTEGER inCallback{}, frequency{}, closed{}, opened{};
int blocks = 0;
PROCESSDATAPROC dialogProc = nullptr;

int UNRAR_CALL TimedData(unsigned char *addr, int size) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int result = dialogProc(addr, size);
  QueryPerformanceCounter(&end);
  inCallback.QuadPart += end.QuadPart - start.QuadPart;
  ++blocks;
  return result;
}

class TimedDll : public ArchiveLibrary {
public:
  RarHandle OpenArchive(RAROpenArchiveData *data) override {
    QueryPerformanceCounter(&opened);
    return dll.OpenArchive(data);
  }
  int CloseArchive(RarHandle archive) override {
    int result = dll.CloseArchive(archive);
    QueryPerformanceCounter(&closed);
    return result;
  }
  int ReadHeader(RarHandle archive, RARHeaderData *header) override {
    return dll.ReadHeader(archive, header);
  }
  int ReadHeaderEx(RarHandle archive, RARHeaderDataEx *header) override {
    return dll.ReadHeaderEx(archive, header);
  }
  int ProcessFile(RarHandle archive, int operation, char *path, char *name) override {
    return dll.ProcessFile(archive, operation, path, name);
  }
  int ProcessFileW(RarHandle archive, int operation, wchar_t *path, wchar_t *name) override {
    return dll.ProcessFileW(archive, operation, path, name);
  }
  void SetChangeVolProc(RarHandle archive, CHANGEVOLPROC proc) override {
    dll.SetChangeVolProc(archive, proc);
  }
  void SetProcessDataProc(RarHandle archive, PROCESSDATAPROC proc) override {
    dialogProc = proc;
    dll.SetProcessDataProc(archive, TimedData);
  }

private:
  UnrarDll &dll = UnrarDll::Instance();
};

double Seconds(LONGLONG ticks) {
  return double(ticks) / double(frequency.QuadPart);
}

// Paints of the dialog's progress bar, counted through its window procedure.
WNDPROC barProc = nullptr;
int barPaints = 0;

LRESULT CALLBACK CountedBar(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT)
    ++barPaints;
  return CallWindowProcA(barProc, window, message, wParam, lParam);
}

// Per-block costs measured on a bare progress bar of the dialog's bar's
// size in a window of its own, in milliseconds per call: PBM_SETPOS with a
// new position each time (its repaint included: the control paints at
// once), with the same position, and one pass of the message loop over an
// empty queue.
struct BlockCosts {
  double changed, same, messages;
};

BlockCosts MeasureBareBar() {
  HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 253,
                                122, nullptr, nullptr, nullptr, nullptr);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 20, 61, 207, 15, window,
                             nullptr, nullptr, nullptr);
  SendMessageA(bar, PBM_SETRANGE32, 0, 100);
  UpdateWindow(window);
  Application->ProcessMessages();
  const int calls = 300;
  auto perCall = [&](auto step) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 1; i <= calls; ++i)
      step(i);
    QueryPerformanceCounter(&end);
    Application->ProcessMessages();
    return 1000 * Seconds(end.QuadPart - start.QuadPart) / calls;
  };
  BlockCosts costs;
  // Steps of a few percent up to 100 and back to 0, as the runs go.
  costs.changed = perCall([&](int i) { SendMessageA(bar, PBM_SETPOS, (i * 7) % 101, 0); });
  costs.same = perCall([&](int) { SendMessageA(bar, PBM_SETPOS, 50, 0); });
  costs.messages = perCall([&](int) { Application->ProcessMessages(); });
  DestroyWindow(window);
  return costs;
}

// The longest wait of a queued message during the run: a 1 ms thread timer
// whose WM_TIMER is taken only by a pass of the message loop, so the time
// between two of its calls is the gap between two pumps (or the timer's
// own period, when pumps come more often).
LARGE_INTEGER lastPump{};
double longestGap = 0;

void CALLBACK PumpGap(HWND, UINT, UINT_PTR, DWORD) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  double gap = 1000 * Seconds(now.QuadPart - lastPump.QuadPart);
  if (gap > longestGap)
    longestGap = gap;
  lastPump = now;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench-extract-dialog RELEASE_FOLDER TARGET_FOLDER\n");
    return 2;
  }
  if (!SetCurrentDirectoryA(argv[1]))
    return 3;
  TApplication app;
  app.Initialize();
  app.SetTitle(kApplicationTitle);
  int boxes = 0;
  app.SetMessageBoxHook([&](const std::string &text, const std::string &, UINT) {
    std::fprintf(stderr, "box: %s\n", text.c_str());
    ++boxes;
    return IDCANCEL;
  });
  CreateInstallerForms();
  // The folder dialog's list on the target, as a user would leave it.
  try {
    Form2->DirectoryListBox1.SetDirectory(argv[2]);
  } catch (const Exception &) {
    return 3;
  }
  TimedDll timed;
  if (GetEnvironmentVariableA("BENCH_TIME_CALLBACK", nullptr, 0))
    SetExtractionLibrary(&timed);
  UnrarDll::Instance().Load(); // not part of the run's time
  Form4->Show();
  Form1->SetEnabled(false);
  app.ProcessMessages();
  barProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Form4->ProgressBar1.Handle(), GWLP_WNDPROC,
                                                        reinterpret_cast<LONG_PTR>(CountedBar)));
  barPaints = 0;

  LARGE_INTEGER start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  lastPump = start;
  UINT_PTR gapTimer = SetTimer(nullptr, 0, 1, PumpGap);
  // The extract label, clicked with real mouse messages.
  SendMessageA(Form4->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 107));
  SendMessageA(Form4->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 107));
  QueryPerformanceCounter(&end);
  KillTimer(nullptr, gapTimer);
  PumpGap(nullptr, 0, 0, 0); // the wait from the last pump to the end

  bool completed = !Form4->Visible();
  int paints = barPaints;
  double peak = ProcessWorkingSet().peak;
  if (blocks)
    std::fprintf(stderr, "%.3f s to open, %.3f s after close\n",
                 Seconds(opened.QuadPart - start.QuadPart),
                 Seconds(end.QuadPart - closed.QuadPart));
  BlockCosts costs = MeasureBareBar();
  std::printf("%.3f %.4f %d %d %.4f %.4f %.4f %.1f %.1f\n", Seconds(end.QuadPart - start.QuadPart),
              Seconds(inCallback.QuadPart), blocks, paints, costs.changed, costs.same,
              costs.messages, peak, longestGap);
  if (!completed)
    std::fprintf(stderr, "run failed: %s\n", Form4->Label1.Caption().c_str());
  return completed && boxes == 0 ? 0 : 1;
}
