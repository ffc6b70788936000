// The platform's floor for tools/bench-startup: registers a class and shows
// a 402 x 422 popup in the middle of the screen, nothing else. With the
// argument "music" it also opens and plays install.mid from the current
// folder through MCI first, as the installer does before its window shows;
// the multimedia DLL is loaded only then (from the system folder, as the
// installer loads it), so that the plain floor maps no more DLLs than it
// needs.
#include <windows.h>

#include <mmsystem.h>

#include <cstring>

#include "tools/bench/StartupMarks.h"

namespace {
LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    Mark("painted");
    return 0;
  }
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void PlayMusic() {
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, MAX_PATH - 16);
  if (length == 0 || length >= MAX_PATH - 16)
    return;
  lstrcatA(path, "\\winmm.dll");
  auto mciSendCommandA = reinterpret_cast<decltype(&::mciSendCommandA)>(
      reinterpret_cast<void *>(GetProcAddress(LoadLibraryA(path), "mciSendCommandA")));
  if (!mciSendCommandA)
    return;
  MCI_OPEN_PARMSA open{};
  open.lpstrDeviceType = "sequencer";
  open.lpstrElementName = "install.mid";
  if (mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                      reinterpret_cast<DWORD_PTR>(&open)) != 0)
    return;
  Mark("music-opened");
  MCI_PLAY_PARMS play{};
  mciSendCommandA(open.wDeviceID, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play));
  Mark("music-playing");
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  Mark("WinMain");
  if (std::strstr(commandLine, "music"))
    PlayMusic();
  WNDCLASSA wc{};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "BenchFloor";
  RegisterClassA(&wc);
  const int width = 402, height = 422;
  HWND window = CreateWindowExA(0, wc.lpszClassName, "Floor", WS_POPUP,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  Mark("shown");
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
