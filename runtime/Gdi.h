// Owners for GDI handles and selections, so nothing leaks and nothing is
// deleted while it is selected into a device context.
#pragma once

#include <windows.h>

#include <utility>

template <class H> class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject &&other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject &operator=(GdiObject &&other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject &) = delete;
  GdiObject &operator=(const GdiObject &) = delete;

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(H handle = nullptr) {
    if (handle_)
      DeleteObject(handle_);
    handle_ = handle;
  }

private:
  H handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

// Selects an object for the lifetime of the guard and restores the old one.
class Selection {
public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection &) = delete;
  Selection &operator=(const Selection &) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

class MemoryDC {
public:
  explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDC() { DeleteDC(dc_); }
  MemoryDC(const MemoryDC &) = delete;
  MemoryDC &operator=(const MemoryDC &) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

// Saves the DC state (clip region among it) and restores it.
class SavedDC {
public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, id_); }
  SavedDC(const SavedDC &) = delete;
  SavedDC &operator=(const SavedDC &) = delete;

private:
  HDC dc_;
  int id_;
};

class WindowDC {
public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() { ReleaseDC(window_, dc_); }
  WindowDC(const WindowDC &) = delete;
  WindowDC &operator=(const WindowDC &) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};
