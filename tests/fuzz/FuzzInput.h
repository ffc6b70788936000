// Helpers of the fuzz targets: taking parameters off the front of the input,
// and the line rules written out plainly, to compare the reader against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Stops the run with a message; libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);           \
      std::abort();                                                                                \
    }                                                                                              \
  } while (0)

class FuzzInput {
public:
  FuzzInput(const uint8_t *data, size_t size) : data_(data), size_(size) {}
  // The next byte, or 0 when none is left.
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::string Rest() {
    std::string rest(reinterpret_cast<const char *>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return rest;
  }

private:
  const uint8_t *data_;
  size_t size_;
  size_t pos_ = 0;
};

// The lines of `bytes` by the text-file rules, all at once: the text ends at
// the first 0x1A; a line ends at CR and one LF right after it belongs to
// that end; an unterminated last line counts when it is not empty.
inline std::vector<std::string> ReferenceLines(const std::string &bytes) {
  std::string text = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      line += text[i];
      continue;
    }
    lines.push_back(line);
    line.clear();
    if (i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
  }
  if (!line.empty())
    lines.push_back(line);
  return lines;
}
