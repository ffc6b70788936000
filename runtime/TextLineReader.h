// Line splitting for text files read in blocks. Portable: no windows.h.
//
// A line ends at CR; one LF right after the CR is skipped; a lone LF stays
// part of the line. Byte 0x1A or the physical end ends the file, and reading
// there yields empty lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteSource {
public:
  virtual ~ByteSource() = default;
  // Fills up to `size` bytes; returns how many (0 at the end), or -1 after
  // storing a failure code in *error.
  virtual long Read(char *buffer, size_t size, int32_t *error) = 0;
};

class TextLineReader {
public:
  explicit TextLineReader(ByteSource &source, size_t bufferSize = 4096);

  // Returns false (and *error set) when the source failed.
  bool ReadLine(std::string *line, int32_t *error);
  // True at the physical end or at a 0x1A byte.
  bool AtEnd(int32_t *error);

private:
  // Makes sure a byte is buffered unless the source is exhausted.
  bool Fill(int32_t *error);

  ByteSource &source_;
  std::vector<char> buffer_;
  size_t pos_ = 0;
  size_t len_ = 0;
  bool exhausted_ = false;
};
