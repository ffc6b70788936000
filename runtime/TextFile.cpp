#include "runtime/TextFile.h"

#include "runtime/IoMessages.h"
#include "runtime/IoResult.h"

class TextFile::HandleSource : public ByteSource {
public:
  explicit HandleSource(HANDLE handle) : handle_(handle) {}
  long Read(char *buffer, size_t size, int32_t *error) override {
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr)) {
      *error = static_cast<int32_t>(GetLastError());
      return -1;
    }
    return static_cast<long>(got);
  }

private:
  HANDLE handle_;
};

TextFile::TextFile() = default;

TextFile::~TextFile() = default;

void TextFile::Fail(int32_t code) {
  if (IoResult() == 0)
    SetIoResult(code);
}

void TextFile::Assign(const std::string &name) {
  name_ = name;
  if (mode_ == Mode::Unassigned)
    mode_ = Mode::Closed;
}

void TextFile::Reset() {
  if (mode_ == Mode::Unassigned) {
    Fail(kIoFileNotAssigned);
    return;
  }
  if (mode_ == Mode::Input)
    Close();
  FileHandle handle(CreateFileA(name_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    Fail(static_cast<int32_t>(GetLastError()));
    return;
  }
  DWORD type = GetFileType(handle.Get());
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_CHAR && type != FILE_TYPE_PIPE) {
    Fail(kIoNotOpenForOutput);
    return;
  }
  handle_ = std::move(handle);
  source_ = std::make_unique<HandleSource>(handle_.Get());
  reader_ = std::make_unique<TextLineReader>(*source_);
  mode_ = Mode::Input;
}

std::string TextFile::ReadLn() {
  std::string line;
  if (mode_ != Mode::Input) {
    Fail(kIoNotOpenForInput);
    return line;
  }
  int32_t error = 0;
  if (!reader_->ReadLine(&line, &error))
    Fail(error);
  return line;
}

bool TextFile::Eof() {
  if (mode_ != Mode::Input) {
    Fail(kIoNotOpenForInput);
    return true;
  }
  int32_t error = 0;
  bool atEnd = reader_->AtEnd(&error);
  if (error != 0)
    Fail(error);
  return atEnd;
}

void TextFile::Close() {
  if (mode_ != Mode::Input) {
    Fail(kIoFileNotOpen);
    return;
  }
  reader_.reset();
  source_.reset();
  bool closed = handle_.Close();
  mode_ = Mode::Closed;
  if (!closed)
    Fail(static_cast<int32_t>(GetLastError()));
}
