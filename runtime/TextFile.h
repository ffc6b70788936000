// A text file opened for reading, with the I/O result convention: each
// operation stores a failure code in the pending I/O result instead of
// raising; the caller follows it with IoCheck().
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "runtime/Handles.h"
#include "runtime/TextLineReader.h"

class TextFile {
public:
  TextFile();
  ~TextFile();
  TextFile(const TextFile &) = delete;
  TextFile &operator=(const TextFile &) = delete;

  void Assign(const std::string &name);
  // Opens an existing file for reading, shared for reading only.
  void Reset();
  // Next line by the text-file line rules; "" at the end of the file.
  std::string ReadLn();
  bool Eof();
  void Close();

  bool IsOpen() const { return mode_ == Mode::Input; }

private:
  enum class Mode { Unassigned, Closed, Input };
  class HandleSource;

  void Fail(int32_t code);

  Mode mode_ = Mode::Unassigned;
  std::string name_;
  FileHandle handle_;
  std::unique_ptr<HandleSource> source_;
  std::unique_ptr<TextLineReader> reader_;
};
