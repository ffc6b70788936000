#include "tools/release-check/Findings.h"

#include "tools/release-check/AnsiText.h"
#include "tools/release-check/RecordCheck.h"

#include <cstdio>

void Findings::Add(std::string file, int line, Severity severity, std::string text) {
  all_.push_back({std::move(file), line, severity, std::move(text)});
}

int Findings::Count(Severity severity) const {
  int count = 0;
  for (const Finding &finding : all_)
    count += finding.severity == severity;
  return count;
}

int Findings::ExitStatus() const {
  if (Count(Severity::Error) > 0)
    return 2;
  return Count(Severity::Warning) > 0 ? 1 : 0;
}

namespace {
const char *SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

std::string JsonString(const std::string &ansi) {
  std::string out = "\"";
  for (unsigned char c : AnsiToUtf8(ansi)) {
    switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    default:
      if (c < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", c);
        out += escape;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  return out + "\"";
}
} // namespace

std::string FormatText(const Findings &findings) {
  std::string out;
  for (const Finding &f : findings.All()) {
    out += f.file;
    if (f.line > 0)
      out += ":" + std::to_string(f.line);
    out += ": ";
    out += SeverityName(f.severity);
    out += ": " + f.text + "\n";
  }
  return out;
}

std::string FormatJson(const std::string &folder, const Findings &findings,
                       const ReleaseFacts &facts) {
  std::string out = "{\n  \"folder\": " + JsonString(folder) + ",\n";
  out += "  \"status\": " + std::to_string(findings.ExitStatus()) + ",\n";
  out += "  \"errors\": " + std::to_string(findings.Count(Severity::Error)) + ",\n";
  out += "  \"warnings\": " + std::to_string(findings.Count(Severity::Warning)) + ",\n";
  out += "  \"archive\": ";
  if (facts.archiveTested)
    out += "{\"unpacked_bytes\": " + std::to_string(facts.unpackedBytes) +
           ", \"volumes\": " + std::to_string(facts.volumes) +
           ", \"entries\": " + std::to_string(facts.entries) + "},\n";
  else
    out += "null,\n";
  out += RecordJson(facts);
  out += "  \"findings\": [";
  const char *separator = "\n";
  for (const Finding &f : findings.All()) {
    out += separator;
    out += "    {\"file\": " + JsonString(f.file) + ", \"line\": ";
    out += f.line > 0 ? std::to_string(f.line) : "null";
    out += ", \"severity\": \"" + std::string(SeverityName(f.severity)) + "\"";
    out += ", \"message\": " + JsonString(f.text) + "}";
    separator = ",\n";
  }
  out += findings.All().empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}
