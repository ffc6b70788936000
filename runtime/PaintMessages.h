// The paint messages of a window that draws its whole client area itself
// (off-screen, then one copy): no background erase, and WM_PAINT and
// WM_PRINTCLIENT through one paint routine, so tests can render it too.
#pragma once

#include <windows.h>

// Calls paint(dc, area) for the two paint messages. Returns true with
// *result set when `message` was one of the three.
template <class PaintFn>
bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, const RECT &client, PaintFn paint,
                        LRESULT *result) {
  switch (message) {
  case WM_ERASEBKGND:
    *result = 1;
    return true;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paint(dc, ps.rcPaint);
    EndPaint(window, &ps);
    *result = 0;
    return true;
  }
  case WM_PRINTCLIENT:
    paint(reinterpret_cast<HDC>(wParam), client);
    *result = 0;
    return true;
  default:
    return false;
  }
}
