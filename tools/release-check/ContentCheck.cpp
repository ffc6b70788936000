#include "tools/release-check/ContentCheck.h"

#include <cstdint>
#include <vector>

#include "release/RegistryFileText.h"

namespace {
std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      if (!lines.back().empty())
        lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

std::string Upper(std::string text) {
  for (char &c : text)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  return text;
}

uint32_t BigEndian(const std::string &bytes, size_t pos, int size) {
  uint32_t value = 0;
  for (int i = 0; i < size; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[pos + i]);
  return value;
}
} // namespace

std::string RegistryFileProblem(const std::string &bytes) {
  const std::string text = RegistryFileText(bytes);
  const std::vector<std::string> lines = Lines(text);
  if (!HasRegistryHeader(text))
    return "it has no \"REGEDIT4\" or \"Windows Registry Editor Version 5.00\" header, so the "
           "registry editor does not import it";
  int outside = 0;
  std::string first;
  for (const std::string &line : lines) {
    if (line.empty() || line[0] != '[')
      continue;
    std::string key = line.substr(line[1] == '-' ? 2 : 1);
    const std::string hive = Upper(key.substr(0, key.find_first_of("\\]")));
    if (hive == "HKEY_CURRENT_USER" || hive == "HKCU")
      continue;
    if (outside++ == 0)
      first = line;
  }
  if (outside == 0)
    return "";
  return "it writes outside the current user's hive (" + first +
         (outside > 1 ? " and " + std::to_string(outside - 1) + " more" : "") + ")";
}

std::string MidiFileProblem(const std::string &bytes) {
  if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0 || BigEndian(bytes, 4, 4) < 6)
    return "it does not start with a MIDI header (\"MThd\")";
  const uint32_t format = BigEndian(bytes, 8, 2);
  const uint32_t tracks = BigEndian(bytes, 10, 2);
  if (format > 2)
    return "its MIDI format " + std::to_string(format) + " is none of 0, 1 and 2";
  if (tracks == 0 || BigEndian(bytes, 12, 2) == 0)
    return "its header announces no tracks or no time division";
  uint32_t found = 0;
  size_t pos = 8 + BigEndian(bytes, 4, 4);
  while (pos + 8 <= bytes.size()) {
    const uint64_t length = BigEndian(bytes, pos + 4, 4);
    if (pos + 8 + length > bytes.size())
      return "a chunk at offset " + std::to_string(pos) + " runs past the end of the file";
    found += bytes.compare(pos, 4, "MTrk") == 0;
    pos += 8 + length;
  }
  if (found < tracks)
    return "its header announces " + std::to_string(tracks) + " tracks but it holds " +
           std::to_string(found);
  return "";
}
