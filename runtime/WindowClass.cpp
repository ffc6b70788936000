#include "runtime/WindowClass.h"

void RegisterWindowClass(WNDCLASSA wc) {
  wc.hInstance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  if (!GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing))
    RegisterClassA(&wc);
}

void RegisterWindowClass(const char *name, WNDPROC procedure, LPCSTR cursor, bool programIcon) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = procedure;
  wc.lpszClassName = name;
  if (cursor)
    wc.hCursor = LoadCursorA(nullptr, cursor);
  if (programIcon)
    wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  RegisterWindowClass(wc);
}
