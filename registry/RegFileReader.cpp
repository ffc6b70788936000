#include "registry/RegFileReader.h"

#include "registry/RegistryValue.h"
#include "runtime/HexText.h"

namespace {
constexpr char kRegedit4[] = "REGEDIT4";
constexpr char kRegedit5[] = "Windows Registry Editor Version 5.00";

struct Refusal {
  std::string what;
};

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

bool StartsWithNoCase(const std::string &text, size_t at, const std::string &word) {
  return RegistryNameKey(text.substr(at, word.size())) == RegistryNameKey(word);
}

// The file's text as UTF-8, by its byte order mark.
std::string FileText(const std::string &bytes, const AnsiDecoder &ansiToUtf8) {
  if (bytes.compare(0, 2, "\xFF\xFE") == 0)
    return Utf8FromUtf16Le(bytes.substr(2, (bytes.size() - 2) & ~size_t(1)));
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    return bytes.substr(3);
  return ansiToUtf8(bytes);
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n')
      continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

class Parser {
public:
  Parser(std::vector<std::string> lines, const AnsiDecoder &ansiToUtf8, RegFileReading &out)
      : lines_(std::move(lines)), ansiToUtf8_(ansiToUtf8), out_(out) {}

  void Run() {
    size_t header = 0;
    while (header < lines_.size() && lines_[header].empty())
      ++header;
    line_ = header;
    if (header == lines_.size() || (lines_[header] != kRegedit4 && lines_[header] != kRegedit5))
      throw Refusal{"not a registry file: the first line is neither \"REGEDIT4\" nor \"" +
                    std::string(kRegedit5) + "\""};
    out_.unicode = lines_[header] == kRegedit5;
    for (line_ = header + 1; line_ < lines_.size(); ++line_) {
      text_ = &lines_[line_];
      if (text_->find('\0') != std::string::npos)
        throw Refusal{"a zero character"};
      at_ = 0;
      SkipBlanks();
      if (at_ == text_->size() || Peek() == ';')
        continue;
      if (Peek() == '[')
        KeyLine();
      else if (Peek() == '"' || Peek() == '@')
        ValueLine();
      else
        throw Refusal{"neither a key, a value nor a comment"};
    }
  }

  size_t Line() const { return line_; }

private:
  char Peek() const { return at_ < text_->size() ? (*text_)[at_] : '\0'; }
  void SkipBlanks() {
    while (at_ < text_->size() && Blank((*text_)[at_]))
      ++at_;
  }
  bool AtEnd() {
    SkipBlanks();
    return at_ == text_->size() || Peek() == ';';
  }
  void ExpectEnd(const char *after) {
    if (!AtEnd())
      throw Refusal{std::string("unexpected text after ") + after};
  }

  void KeyLine() {
    size_t end = text_->size();
    while (end > 0 && Blank((*text_)[end - 1]))
      --end;
    if (end < at_ + 2 || (*text_)[end - 1] != ']')
      throw Refusal{"a key line that does not end with ]"};
    std::string path = text_->substr(at_ + 1, end - at_ - 2);
    const bool remove = !path.empty() && path[0] == '-';
    if (remove)
      path.erase(0, 1);
    const std::string key = CanonicalKeyPath(path);
    if (key.empty())
      throw Refusal{"not a key of the registry: " + path};
    if (remove && KeyDepth(key) == 0)
      throw Refusal{"a root key cannot be deleted: " + key};
    out_.changes.push_back(
        {remove ? RegChange::Kind::DeleteKey : RegChange::Kind::SetKey, key, "", 0, ""});
    key_ = key;
    keyDeleted_ = remove;
  }

  // A quoted string at the current position, its escapes resolved.
  std::string Quoted() {
    std::string value;
    for (++at_; at_ < text_->size(); ++at_) {
      char c = (*text_)[at_];
      if (c == '"') {
        ++at_;
        return value;
      }
      if (c == '\\' && at_ + 1 < text_->size() &&
          ((*text_)[at_ + 1] == '\\' || (*text_)[at_ + 1] == '"'))
        c = (*text_)[++at_];
      value += c;
    }
    throw Refusal{"a string without its closing quote"};
  }

  void ValueLine() {
    if (key_.empty())
      throw Refusal{"a value before the first key"};
    std::string name;
    if (Peek() == '@')
      ++at_;
    else
      name = Quoted();
    SkipBlanks();
    if (Peek() != '=')
      throw Refusal{"a value name without '='"};
    ++at_;
    SkipBlanks();
    RegChange change{RegChange::Kind::SetValue, key_, name, 0, ""};
    if (Peek() == '-') {
      ++at_;
      change.kind = RegChange::Kind::DeleteValue;
    } else if (Peek() == '"') {
      change.type = kRegSz;
      change.data = RegistryStringBytes(Quoted());
    } else if (StartsWithNoCase(*text_, at_, "dword:")) {
      at_ += 6;
      change.type = kRegDword;
      change.data = Dword();
    } else if (StartsWithNoCase(*text_, at_, "hex")) {
      at_ += 3;
      change.type = HexType();
      change.data = HexList();
      if (!out_.unicode && (change.type == kRegExpandSz || change.type == kRegMultiSz))
        change.data = Utf16LeFromUtf8(ansiToUtf8_(change.data));
    } else {
      throw Refusal{"a value that is no string, dword, hex list or '-'"};
    }
    ExpectEnd("the value");
    if (!keyDeleted_)
      out_.changes.push_back(change);
  }

  // Up to `most` hex digits at the current position.
  uint32_t HexNumber(size_t most, const char *what) {
    uint32_t number = 0;
    size_t digits = 0;
    for (; digits < most && HexDigitValue(Peek()) >= 0; ++digits, ++at_)
      number = number << 4 | static_cast<uint32_t>(HexDigitValue(Peek()));
    if (digits == 0 || HexDigitValue(Peek()) >= 0)
      throw Refusal{std::string("not ") + what};
    return number;
  }

  std::string Dword() {
    const uint32_t value = HexNumber(8, "a dword of 1 to 8 hex digits");
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
      bytes += static_cast<char>(value >> shift & 0xFF);
    return bytes;
  }

  // "hex:" is binary; "hex(n):" is type n.
  uint32_t HexType() {
    uint32_t type = kRegBinary;
    if (Peek() == '(') {
      ++at_;
      type = HexNumber(8, "a value type in hex");
      if (Peek() != ')')
        throw Refusal{"a value type without ')'"};
      ++at_;
    }
    if (Peek() != ':')
      throw Refusal{"hex without ':'"};
    ++at_;
    return type;
  }

  // Bytes as two-digit hex numbers between commas; a backslash at the end of
  // a line continues the list on the next one (comment lines between skipped).
  std::string HexList() {
    std::string bytes;
    while (!AtEnd()) {
      if (Peek() == '\\') {
        ++at_;
        ExpectEnd("'\\'");
        do {
          if (line_ + 1 == lines_.size())
            throw Refusal{"a hex list continued past the end of the file"};
          text_ = &lines_[++line_];
          at_ = 0;
          SkipBlanks();
        } while (Peek() == ';');
        continue;
      }
      bytes += static_cast<char>(HexNumber(2, "a hex byte"));
      SkipBlanks();
      if (Peek() == ',')
        ++at_;
      else if (!AtEnd() && Peek() != '\\')
        throw Refusal{"hex bytes not separated by commas"};
    }
    return bytes;
  }

  std::vector<std::string> lines_;
  const AnsiDecoder &ansiToUtf8_;
  RegFileReading &out_;
  size_t line_ = 0;
  const std::string *text_ = nullptr;
  size_t at_ = 0;
  std::string key_;
  bool keyDeleted_ = false;
};
} // namespace

RegFileReading ReadRegFile(const std::string &bytes, const AnsiDecoder &ansiToUtf8) {
  RegFileReading out;
  Parser parser(Lines(FileText(bytes, ansiToUtf8)), ansiToUtf8, out);
  try {
    parser.Run();
  } catch (const Refusal &refusal) {
    out.errorLine = static_cast<int>(parser.Line()) + 1;
    out.error = "Line " + std::to_string(out.errorLine) + ": " + refusal.what;
  }
  return out;
}
