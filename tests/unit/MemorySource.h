// Bytes from memory for the line reader, handed out in blocks of at most
// `block` bytes (a file read ends at a block too); optionally a failure once
// `failAt` bytes have gone out. Portable: used by the native tests and fuzzers.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/TextLineReader.h"

class MemorySource : public ByteSource {
public:
  explicit MemorySource(std::string bytes, size_t block = 4096)
      : bytes_(std::move(bytes)), block_(block ? block : 1) {}

  static constexpr size_t kNever = static_cast<size_t>(-1);
  // The read that would go past `offset` fails with `code` instead.
  void FailAt(size_t offset, int32_t code) {
    failAt_ = offset;
    failCode_ = code;
  }

  long Read(char *buffer, size_t size, int32_t *error) override {
    size_t count = std::min({size, block_, bytes_.size() - pos_});
    if (failAt_ != kNever && pos_ + count > failAt_) {
      *error = failCode_;
      return -1;
    }
    std::memcpy(buffer, bytes_.data() + pos_, count);
    pos_ += count;
    return static_cast<long>(count);
  }

private:
  std::string bytes_;
  size_t block_;
  size_t pos_ = 0;
  size_t failAt_ = kNever;
  int32_t failCode_ = 0;
};
