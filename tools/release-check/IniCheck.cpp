#include "tools/release-check/IniCheck.h"

#include "release/InstallIniMap.h"
#include "runtime/Exception.h"
#include "runtime/StrToInt.h"
#include "runtime/TextLineReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char kEndOfFile = 0x1A;

// The file's bytes, served to the reader in the blocks it asks for.
class MemorySource : public ByteSource {
public:
  explicit MemorySource(const std::string &bytes) : bytes_(bytes) {}
  long Read(char *buffer, size_t size, int32_t *) override {
    const size_t n = std::min(size, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return static_cast<long>(n);
  }

private:
  const std::string &bytes_;
  size_t pos_ = 0;
};

// The line of install.ini that holds a field.
int LineOf(IniField field) {
  switch (field) {
  case IniField::Title:
    return 1;
  case IniField::Subtitle:
    return 2;
  case IniField::ReleaseNotesFile:
    return 3;
  case IniField::DescriptionFile:
    return 4;
  case IniField::NewFolderName:
    return 5;
  case IniField::ArchivePath:
  case IniField::ArchiveFolder:
    return 6;
  case IniField::RequiredMegabytes:
    return 7;
  case IniField::RegistryFile:
    return 8;
  case IniField::InstallNotes:
    return 9;
  }
  return 0;
}

std::string Quoted(const std::string &text) {
  return "\"" + text + "\"";
}

void CheckLineEnds(const std::string &bytes, const ReleaseIni &ini, Findings &findings) {
  // Only what comes before 0x1A is ever read.
  const std::string body = bytes.substr(0, bytes.find(kEndOfFile));
  int crlf = 0, loneCr = 0, loneLf = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') {
      ++crlf;
      ++i;
    } else if (body[i] == '\r') {
      ++loneCr;
    } else if (body[i] == '\n') {
      ++loneLf;
    }
  }
  if (crlf == 0 && loneCr == 0 && loneLf > 0) {
    findings.Error(1, "line ends are LF alone: the installer reads the whole file as one line, "
                      "shows all of it as the title and takes lines 2 to 9 as empty");
    return;
  }
  if (crlf == 0 && loneLf == 0 && loneCr > 0) {
    findings.Error(1, "line ends are CR alone: the installer still splits the lines there, but "
                      "the file is not CR LF text and editors and tools that copy it may "
                      "join its lines; write CR LF");
    return;
  }
  for (int i = 0; i < kIniLines; ++i) {
    const std::string &value = ini.lines[i];
    const size_t lf = value.find('\n');
    if (lf == std::string::npos)
      continue;
    findings.Error(i + 1, "a line feed without a carriage return: the installer takes " +
                              Quoted(value.substr(0, lf)) + " and " + Quoted(value.substr(lf + 1)) +
                              " as one value, and every later value moves up a line");
  }
}

void CheckLineCount(const std::string &bytes, const ReleaseIni &ini, Findings &findings) {
  if (ini.lineCount >= kIniLines || findings.Count(Severity::Error) > 0)
    return;
  const int first = ini.lineCount + 1;
  std::string missing = first == kIniLines ? "line 9 (" + std::string(IniLineMeaning(9)) + ")"
                                           : "lines " + std::to_string(first) + " to 9";
  std::string text = "install.ini ends after " + std::to_string(ini.lineCount) +
                     (ini.lineCount == 1 ? " line" : " lines") + ": the installer reads " +
                     missing + " as empty";
  const size_t eof = bytes.find(kEndOfFile);
  if (eof != std::string::npos && eof + 1 < bytes.size())
    text += " (the byte 0x1A at offset " + std::to_string(eof) + " ends the file for it)";
  findings.Error(first, text);
}

void CheckRequiredMegabytes(const ReleaseIni &ini, Findings &findings) {
  try {
    StrToInt(ini.lines[6]);
  } catch (const Exception &e) {
    // The folder dialog converts the value with the same call.
    findings.Error(7, "the required megabytes " + Quoted(ini.lines[6]) +
                          " is no whole number: the folder dialog reports \"" + e.Message() +
                          "\" and the install command stops");
  }
}
} // namespace

const char *IniLineMeaning(int line) {
  static const char *const kMeanings[kIniLines] = {"title",
                                                   "sub-title",
                                                   "notes file name",
                                                   "description file name",
                                                   "new folder name",
                                                   "archive name",
                                                   "required megabytes",
                                                   "registry file name",
                                                   "installation notes"};
  return line >= 1 && line <= kIniLines ? kMeanings[line - 1] : "";
}

ReleaseIni CheckIniText(const std::string &bytes, Findings &findings) {
  ReleaseIni ini;
  MemorySource source(bytes);
  TextLineReader reader(source);
  int32_t error = 0;
  int read = 0;
  // The installer's own mapping of lines to values; with no folder in front,
  // the archive path is a backslash and line 6.
  MapInstallIni(
      [&] {
        std::string line;
        if (!reader.AtEnd(&error))
          ini.lineCount = read + 1;
        ++read;
        reader.ReadLine(&line, &error);
        return line;
      },
      "",
      [&](IniField field, const std::string &value) {
        switch (field) {
        case IniField::ArchivePath:
          ini.lines[5] = value.substr(1);
          break;
        case IniField::ArchiveFolder:
          break;
        default:
          ini.lines[LineOf(field) - 1] = value;
        }
      });
  CheckLineEnds(bytes, ini, findings);
  CheckLineCount(bytes, ini, findings);
  CheckRequiredMegabytes(ini, findings);
  return ini;
}
