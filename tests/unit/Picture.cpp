#include "Picture.h"

Picture::Picture(int width, int height, const std::function<void(HDC)> &draw)
    : width_(width), height_(height), bitmap_(CreateCompatibleBitmap(screen_.Get(), width, height)),
      select_(memory_.Get(), bitmap_.Get()) {
  draw(memory_.Get());
}

Picture Picture::OfWindow(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return Picture(client.right, client.bottom, [window](HDC dc) {
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}
