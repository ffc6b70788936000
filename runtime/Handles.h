// Move-only owners for kernel handles and loaded modules, the companions of
// the GDI owners: each closes what it holds exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <class H, class Traits> class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle &&other) noexcept
      : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle &operator=(UniqueHandle &&other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle &) = delete;
  UniqueHandle &operator=(const UniqueHandle &) = delete;

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  // Closes the handle now; false when the system refused (the handle is
  // given up either way).
  bool Close() {
    if (handle_ == Traits::Invalid())
      return true;
    return Traits::Close(std::exchange(handle_, Traits::Invalid()));
  }

private:
  H handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};

struct ModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static bool Close(HMODULE module) { return FreeLibrary(module) != FALSE; }
};

// A file, or any handle whose "none" is INVALID_HANDLE_VALUE.
using FileHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
// A module from LoadLibrary.
using LoadedModule = UniqueHandle<HMODULE, ModuleTraits>;
