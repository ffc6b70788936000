#include "runtime/TextLineReader.h"

namespace {
constexpr char kCR = '\r';
constexpr char kLF = '\n';
constexpr char kEndOfFile = 0x1A;
} // namespace

TextLineReader::TextLineReader(ByteSource &source, size_t bufferSize)
    : source_(source), buffer_(bufferSize ? bufferSize : 1) {}

bool TextLineReader::Fill(int32_t *error) {
  if (pos_ < len_ || exhausted_)
    return true;
  long got = source_.Read(buffer_.data(), buffer_.size(), error);
  if (got < 0)
    return false;
  pos_ = 0;
  len_ = static_cast<size_t>(got);
  if (got == 0)
    exhausted_ = true;
  return true;
}

bool TextLineReader::ReadLine(std::string *line, int32_t *error) {
  line->clear();
  for (;;) {
    if (!Fill(error))
      return false;
    if (pos_ == len_)
      return true; // physical end
    // Scan the buffered run for the end of the line.
    size_t start = pos_;
    while (pos_ < len_ && buffer_[pos_] != kCR && buffer_[pos_] != kEndOfFile)
      ++pos_;
    line->append(buffer_.data() + start, pos_ - start);
    if (pos_ == len_)
      continue;
    if (buffer_[pos_] == kEndOfFile)
      return true; // stays unread: every later read ends here too
    ++pos_;        // the CR
    if (!Fill(error))
      return false;
    if (pos_ < len_ && buffer_[pos_] == kLF)
      ++pos_;
    return true;
  }
}

bool TextLineReader::AtEnd(int32_t *error) {
  if (!Fill(error))
    return true;
  return pos_ == len_ || buffer_[pos_] == kEndOfFile;
}
