// install.ini as the installer reads it: the nine values through the
// installer's own line reader, and findings about what the reader would make
// of the file's line ends, its length and its seventh line.
#pragma once

#include "tools/release-check/Findings.h"

#include <string>

inline constexpr int kIniLines = 9;

struct ReleaseIni {
  std::string lines[kIniLines]; // values as the installer reads them
  int lineCount = 0;            // lines before the end of the file (at most 9 counted)
};

// What line N (1 to 9) holds, for sentences: "title", "archive name", ...
const char *IniLineMeaning(int line);

// Reads the file's bytes and reports on their structure.
ReleaseIni CheckIniText(const std::string &bytes, Findings &findings);
