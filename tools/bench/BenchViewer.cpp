// One timed showing of a text file, for tools/bench-viewer. Prints
// "show S end S memory MB": seconds from the click to the text on screen,
// seconds for Ctrl+End to the last page on screen, and the growth of the
// process's resident memory in megabytes.
// Usage: bench-viewer MODE RELEASE_FOLDER
//   memo        the viewer, clicked through the splash window's notes label
//   edit-text   baseline: the platform's edit control, the text in one call
//   edit-lines  baseline: the platform's edit control, one line at a time
// The release folder holds install.ini, install.mid and the notes file
// that install.ini names on its third line.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/CreateForms.h"
#include "runtime/Application.h"
#include "runtime/IoResult.h"
#include "runtime/TextFile.h"
#include "shell/Form1.h"
#include "shell/Form5.h"
#include "tools/bench/ProcessMemory.h"

namespace {
LARGE_INTEGER frequency;

double Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Painted(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

void ControlKey(WORD key, HWND target) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(target, WM_KEYDOWN, key, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// The viewer's window and memo, clicked as a user would.
void Memo(double *show, double *end) {
  Application->ProcessMessages();
  HWND splash = Form1->Handle();
  double start = Now();
  SendMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(53, 339));
  SendMessageA(splash, WM_LBUTTONUP, 0, MAKELPARAM(53, 339));
  Painted(Form5->Handle());
  *show = Now() - start;
  start = Now();
  ControlKey(VK_END, Form5->Memo1.Handle());
  Painted(Form5->Handle());
  *end = Now() - start;
}

// The same file in the platform's edit control, in a window of the
// viewer's size and with its text limit lifted.
void Edit(bool byLine, double *show, double *end) {
  Application->ProcessMessages();
  const std::string path = Form1->Label9.Caption() + Form1->Label5.Caption();
  double start = Now();
  HWND window =
      CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "edit", WS_POPUP | WS_CAPTION, 0, 0, 658,
                      GetSystemMetrics(SM_CYSCREEN) - 35, nullptr, nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExA(
      WS_EX_CLIENTEDGE, "EDIT", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 651,
      GetSystemMetrics(SM_CYSCREEN) - 65, window, nullptr, nullptr, nullptr);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(OEM_FIXED_FONT)), FALSE);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  TextFile file;
  file.Assign(path);
  file.Reset();
  IoCheck();
  std::string all;
  while (!file.Eof()) {
    std::string line = file.ReadLn();
    if (byLine) {
      // What adding a line to the edit control's lines does.
      int length = GetWindowTextLengthA(edit);
      SendMessageA(edit, EM_SETSEL, length, length);
      SendMessageA(edit, EM_REPLACESEL, FALSE,
                   reinterpret_cast<LPARAM>((length ? "\r\n" + line : line).c_str()));
    } else {
      all += line;
      all += "\r\n";
    }
  }
  file.Close();
  if (!byLine)
    SetWindowTextA(edit, all.c_str());
  ShowWindow(window, SW_SHOWNORMAL);
  Painted(window);
  *show = Now() - start;
  start = Now();
  ControlKey(VK_END, edit);
  Painted(window);
  *end = Now() - start;
}
} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: bench-viewer memo|edit-text|edit-lines RELEASE_FOLDER\n");
    return 2;
  }
  QueryPerformanceFrequency(&frequency);
  std::string mode = argv[1];
  SetCurrentDirectoryA(argv[2]);
  TApplication application;
  application.Initialize();
  application.SetTitle("Installer");
  application.SetMessageBoxHook([](const std::string &text, const std::string &, UINT) {
    fprintf(stderr, "box: %s\n", text.c_str());
    return IDOK;
  });
  CreateInstallerForms();
  Form1->Show();
  double before = ProcessWorkingSet().current, show = 0, end = 0;
  if (mode == "memo")
    Memo(&show, &end);
  else
    Edit(mode == "edit-lines", &show, &end);
  printf("show %.4f end %.4f memory %.1f\n", show, end, ProcessWorkingSet().current - before);
  return 0;
}
