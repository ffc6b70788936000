// The installer's start-up as the program runs it, with a mark after each
// step for tools/bench-startup: the application, each of the six windows
// (the music device's open and play inside the splash window's creation),
// the splash window's showing and its first paint.
#include <windows.h>

#include "app/CreateForms.h"
#include "media/MediaPlayer.h"
#include "runtime/Application.h"
#include "runtime/LibraryFunction.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"
#include "shell/Form5.h"
#include "shell/Form6.h"
#include "tools/bench/StartupMarks.h"

namespace {
// The player's own command, loaded as the player loads it.
MCIERROR WINAPI MarkedCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parms) {
  static const auto send =
      LibraryFunction<decltype(&mciSendCommandA)>(SystemLibrary("winmm.dll"), "mciSendCommandA");
  MCIERROR result = send(device, message, flags, parms);
  if (message == MCI_OPEN)
    Mark("music-opened");
  else if (message == MCI_PLAY)
    Mark("music-playing");
  return result;
}

WNDPROC splashProc = nullptr;

LRESULT CALLBACK MarkedSplash(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcA(splashProc, window, message, wParam, lParam);
  if (message == WM_PAINT)
    Mark("painted");
  return result;
}

template <class F> void Create(F *&form, const char *mark) {
  Application->CreateForm(form);
  Mark(mark);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Mark("WinMain");
  RestrictLibrarySearch();
  TMediaPlayer::SetSendCommand(MarkedCommand);
  TApplication application;
  application.Initialize();
  application.SetTitle(kApplicationTitle);
  Mark("application");
  Create(Form1, "Form1");
  splashProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(Form1->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MarkedSplash)));
  Create(Form2, "Form2");
  Create(Form3, "Form3");
  Create(Form4, "Form4");
  Create(Form5, "Form5");
  Create(Form6, "Form6");
  application.Run();
  return 0;
}
