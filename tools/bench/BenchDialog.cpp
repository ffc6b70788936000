// Extracts a set through the real extraction dialog, as a click on its
// extract label would, and prints the wall time of the run in seconds.
// Usage: bench-extract-dialog RELEASE_FOLDER TARGET_FOLDER
// (the release folder holds install.ini, install.mid and the set).
#include <windows.h>

#include <cstdio>

#include "app/Forms.h"
#include "extract/ExtractArchive.h"
#include "shell/Form4.h"
#include "extract/UnrarDll.h"
#include "runtime/Application.h"
#include "shell/Form1.h"

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
  if (!SetCurrentDirectoryA(argv[2]))
    return 3;
  TimedDll timed;
  if (GetEnvironmentVariableA("BENCH_TIME_CALLBACK", nullptr, 0))
    SetExtractionLibrary(&timed);
  UnrarDll::Instance().Load(); // not part of the run's time
  Form4->Show();
  Form1->SetEnabled(false);
  app.ProcessMessages();

  LARGE_INTEGER start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  // The extract label, clicked with real mouse messages.
  SendMessageA(Form4->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 107));
  SendMessageA(Form4->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 107));
  QueryPerformanceCounter(&end);

  bool completed = !Form4->Visible();
  if (blocks)
    std::fprintf(stderr,
                 "%d blocks, %.3f s in the data callback, %.3f s to open, %.3f s after close\n",
                 blocks, double(inCallback.QuadPart) / double(frequency.QuadPart),
                 double(opened.QuadPart - start.QuadPart) / double(frequency.QuadPart),
                 double(end.QuadPart - closed.QuadPart) / double(frequency.QuadPart));
  std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  if (!completed)
    std::fprintf(stderr, "run failed: %s\n", Form4->Label1.Caption().c_str());
  return completed && boxes == 0 ? 0 : 1;
}
