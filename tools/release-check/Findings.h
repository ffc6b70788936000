// What release-check found in a release folder: one finding per problem,
// tied to a line of install.ini where there is one, printed as text lines or
// as JSON, and summed up in the exit status.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Severity { Warning, Error };

struct Finding {
  std::string file; // install.ini, or the file the finding is about
  int line;         // line of install.ini, 0 when none
  Severity severity;
  std::string text; // one plain sentence, in the installer's code page
};

// A file of the set as an installation records it.
struct SetFile {
  std::string name; // as the set names it (ANSI, backslashes)
  uint64_t size = 0;
  uint32_t crc = 0;
};

// Facts learnt on the way that a build pipeline may use (make-release reads
// the unpacked size back), and what an installation of the release records
// and lists (RecordCheck.h).
struct ReleaseFacts {
  bool archiveTested = false;
  uint64_t unpackedBytes = 0;
  int volumes = 0;
  int entries = 0;
  std::vector<SetFile> files;
  std::vector<std::string> folders;         // the set's folders, named or implied
  std::string title;                        // line 1
  uint64_t installerBytes = 0;              // Installer.exe, which becomes the uninstaller
  bool registryRead = false;                // the registry file's changes are known
  std::string registryProblem;              // why not, when there is a registry file
  std::vector<std::string> registryChanges; // "set value KEY NAME" and so on
  bool writesMachine = false;               // a change under HKEY_LOCAL_MACHINE
};

class Findings {
public:
  void Error(int line, std::string text) {
    Add("install.ini", line, Severity::Error, std::move(text));
  }
  void Warning(int line, std::string text) {
    Add("install.ini", line, Severity::Warning, std::move(text));
  }
  void Add(std::string file, int line, Severity severity, std::string text);

  const std::vector<Finding> &All() const { return all_; }
  int Count(Severity severity) const;
  // 0 clean, 1 warnings only, 2 errors.
  int ExitStatus() const;

private:
  std::vector<Finding> all_;
};

// "install.ini:7: error: sentence", one line each.
std::string FormatText(const Findings &findings);
// One JSON object; texts converted from the ANSI code page to UTF-8.
std::string FormatJson(const std::string &folder, const Findings &findings,
                       const ReleaseFacts &facts);
