#include "installation/InstallationRecord.h"

#include <algorithm>

#include "installation/ProgramListEntry.h"
#include "runtime/Crc32.h"
#include "runtime/HexText.h"

namespace {
constexpr char kHeaderTag[] = "installation record";
constexpr char kChecksumTag[] = "checksum";
constexpr const char *kTypeNames[] = {
    "REG_NONE",
    "REG_SZ",
    "REG_EXPAND_SZ",
    "REG_BINARY",
    "REG_DWORD",
    "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",
    "REG_MULTI_SZ",
    "REG_RESOURCE_LIST",
    "REG_FULL_RESOURCE_DESCRIPTOR",
    "REG_RESOURCE_REQUIREMENTS_LIST",
    "REG_QWORD",
};
constexpr size_t kTypeCount = sizeof kTypeNames / sizeof kTypeNames[0];
constexpr char kHex[] = "0123456789abcdef";

struct Unreadable {};

std::string Escaped(const std::string &field) {
  std::string out;
  for (char c : field) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      out += '%';
      out += "0123456789ABCDEF"[byte >> 4];
      out += "0123456789ABCDEF"[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescaped(const std::string &field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      out += field[i];
      continue;
    }
    if (i + 2 >= field.size() || HexDigitValue(field[i + 1]) < 0 || HexDigitValue(field[i + 2]) < 0)
      throw Unreadable{};
    out += static_cast<char>(HexDigitValue(field[i + 1]) << 4 | HexDigitValue(field[i + 2]));
    i += 2;
  }
  return out;
}

std::string Line(const std::vector<std::string> &fields) {
  std::string line;
  for (const std::string &field : fields)
    line += (line.empty() ? "" : "\t") + Escaped(field);
  return line + "\r\n";
}

std::string Hex32(uint32_t value) {
  return HexText(value, 8, false);
}

// A whole number of at most `most` digits in base `base`, nothing else.
uint64_t Number(const std::string &text, int base, size_t most) {
  if (text.empty() || text.size() > most)
    throw Unreadable{};
  uint64_t value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0 || digit >= base || (base == 16 && c >= 'A' && c <= 'F') ||
        value > (UINT64_MAX - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
      throw Unreadable{};
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  return value;
}

std::vector<std::string> PriorFields(const RegistryData &prior) {
  if (!prior.exists)
    return {"missing"};
  std::string type = prior.type < kTypeCount ? kTypeNames[prior.type] : std::to_string(prior.type);
  std::string text;
  if ((prior.type == kRegSz || prior.type == kRegExpandSz || prior.type == kRegMultiSz) &&
      RegistryStringText(prior.bytes, &text))
    return {type, "text:" + text};
  std::string hex = "hex:";
  for (char c : prior.bytes) {
    hex += kHex[static_cast<unsigned char>(c) >> 4];
    hex += kHex[static_cast<unsigned char>(c) & 15];
  }
  return {type, hex};
}

RegistryData Prior(const std::vector<std::string> &fields, size_t at) {
  if (fields.size() == at + 1 && fields[at] == "missing")
    return {};
  if (fields.size() != at + 2)
    throw Unreadable{};
  RegistryData prior{true, kRegNone, ""};
  prior.type = kTypeCount;
  for (uint32_t type = 0; type < kTypeCount; ++type)
    if (fields[at] == kTypeNames[type])
      prior.type = type;
  if (prior.type == kTypeCount) {
    const uint64_t type = Number(fields[at], 10, 10);
    if (type > 0xFFFFFFFF || (type < kTypeCount && fields[at] != std::to_string(type)))
      throw Unreadable{};
    prior.type = static_cast<uint32_t>(type);
  }
  const std::string &data = fields[at + 1];
  if (data.compare(0, 5, "text:") == 0) {
    prior.bytes = RegistryStringBytes(data.substr(5));
  } else if (data.compare(0, 4, "hex:") == 0 && data.size() % 2 == 0) {
    for (size_t i = 4; i < data.size(); i += 2)
      prior.bytes += static_cast<char>(Number(data.substr(i, 2), 16, 2));
  } else {
    throw Unreadable{};
  }
  return prior;
}

std::vector<std::string> Fields(const std::string &line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(Unescaped(line.substr(start, tab - start)));
  fields.push_back(Unescaped(line.substr(start)));
  return fields;
}

// One section's lines between its header and its checksum line; a line
// that names something outside the target is kept out and reported.
RecordSection ParseSection(const std::vector<std::string> &lines, int firstLine, int *badLine) {
  RecordSection section;
  bool sawTarget = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    *badLine = firstLine + static_cast<int>(i);
    const std::vector<std::string> f = Fields(lines[i]);
    const std::string &tag = f[0];
    auto refuse = [&] {
      section.refused.push_back("line " + std::to_string(*badLine) + ": " + lines[i]);
    };
    if (tag == "title" && f.size() == 2) {
      section.title = f[1];
    } else if (tag == "entry" && f.size() == 2) {
      if (IsProgramListKey(f[1]))
        section.entryKey = f[1];
      else
        refuse();
    } else if (tag == "target" && f.size() == 2 && (f[1] == "created" || f[1] == "existed")) {
      section.targetExisted = f[1] == "existed";
      sawTarget = true;
    } else if (tag == "folder" && f.size() == 2) {
      if (IsInsidePath(f[1]))
        section.folders.push_back(f[1]);
      else
        refuse();
    } else if (tag == "file" && f.size() == 4) {
      RecordedFile file{f[1], Number(f[2], 10, 20), static_cast<uint32_t>(Number(f[3], 16, 8))};
      if (f[3].size() != 8)
        throw Unreadable{};
      if (IsInsidePath(file.path))
        section.files.push_back(file);
      else
        refuse();
    } else if (tag == "key" && f.size() == 3 && (f[1] == "created" || f[1] == "deleted")) {
      if (CanonicalKeyPath(f[2]) == f[2] && KeyDepth(f[2]) > 0)
        section.registry.keys.push_back({f[2], f[1] == "created"});
      else
        refuse();
    } else if (tag == "value" && f.size() >= 5 && (f[1] == "set" || f[1] == "deleted")) {
      RegistryValueChange value{f[2], f[3], f[1] == "deleted", Prior(f, 4)};
      if (value.deleted && !value.prior.exists)
        throw Unreadable{};
      if (CanonicalKeyPath(f[2]) == f[2])
        section.registry.values.push_back(value);
      else
        refuse();
    } else {
      throw Unreadable{};
    }
  }
  if (!sawTarget) {
    *badLine = firstLine;
    throw Unreadable{};
  }
  return section;
}
} // namespace

bool IsInsidePath(const std::string &path) {
  if (path.empty() || path.find_first_of(":*?\"<>|") != std::string::npos)
    return false;
  size_t start = 0;
  while (true) {
    const size_t end = std::min(path.find_first_of("\\/", start), path.size());
    if (end == start || path[end - 1] == '.' || path[end - 1] == ' ')
      return false; // empty (a root or "\\"), ".", "..", or trimmed to one of them
    for (size_t i = start; i < end; ++i)
      if (static_cast<unsigned char>(path[i]) < 0x20)
        return false;
    if (end == path.size())
      return true;
    start = end + 1;
  }
}

std::string RecordSectionText(const RecordSection &section) {
  std::string text = Line({kHeaderTag, std::to_string(kRecordVersion)});
  text += Line({"title", section.title});
  if (!section.entryKey.empty())
    text += Line({"entry", section.entryKey});
  text += Line({"target", section.targetExisted ? "existed" : "created"});
  for (const std::string &folder : section.folders)
    text += Line({"folder", folder});
  for (const RecordedFile &file : section.files)
    text += Line({"file", file.path, std::to_string(file.size), Hex32(file.crc)});
  for (const RegistryKeyChange &key : section.registry.keys)
    text += Line({"key", key.created ? "created" : "deleted", key.key});
  for (const RegistryValueChange &value : section.registry.values) {
    std::vector<std::string> fields{"value", value.deleted ? "deleted" : "set", value.key,
                                    value.name};
    for (const std::string &field : PriorFields(value.prior))
      fields.push_back(field);
    text += Line(fields);
  }
  return text + Line({kChecksumTag, Hex32(Crc32(text.data(), text.size()))});
}

RecordReading ReadRecord(const std::string &bytes) {
  using Problem = RecordReading::Problem;
  RecordReading reading;
  auto refuse = [](Problem problem, int line) {
    RecordReading refusal;
    refusal.problem = problem;
    refusal.line = line;
    return refusal;
  };
  if (bytes.empty())
    return refuse(Problem::Empty, 0);
  bool inSection = false;
  size_t sectionStart = 0;
  int headerLine = 0;
  std::vector<std::string> lines;
  int number = 0;
  size_t start = 0;
  for (size_t end; start < bytes.size(); start = end + 2) {
    ++number;
    end = bytes.find("\r\n", start);
    if (end == std::string::npos)
      return refuse(Problem::Truncated, number);
    const std::string line = bytes.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos)
      return refuse(Problem::Damaged, number);
    const size_t tab = line.find('\t');
    const std::string tag = line.substr(0, tab);
    if (!inSection) {
      if (tag != kHeaderTag)
        return refuse(number == 1 ? Problem::NotARecord : Problem::Damaged, number);
      if (tab == std::string::npos || line.substr(tab + 1) != std::to_string(kRecordVersion))
        return refuse(Problem::OtherVersion, number);
      inSection = true;
      sectionStart = start;
      headerLine = number;
      lines.clear();
    } else if (tag == kChecksumTag) {
      const uint32_t crc = Crc32(bytes.data() + sectionStart, start - sectionStart);
      if (tab == std::string::npos || line.substr(tab + 1) != Hex32(crc))
        return refuse(Problem::Damaged, number);
      int badLine = 0;
      try {
        reading.sections.push_back(ParseSection(lines, headerLine + 1, &badLine));
      } catch (const Unreadable &) {
        return refuse(Problem::Unreadable, badLine);
      }
      inSection = false;
    } else {
      lines.push_back(line);
    }
  }
  if (inSection)
    return refuse(Problem::Truncated, number);
  return reading;
}

std::string RecordProblemText(const RecordReading &reading) {
  using Problem = RecordReading::Problem;
  const std::string line = " (line " + std::to_string(reading.line) + ")";
  switch (reading.problem) {
  case Problem::None:
    return "";
  case Problem::Empty:
    return "There is no installation record in this folder.";
  case Problem::NotARecord:
    return "The installation record is not one: its first line is no record header.";
  case Problem::OtherVersion:
    return "The installation record was written in another format" + line + ".";
  case Problem::Truncated:
    return "The installation record is cut short" + line + ".";
  case Problem::Damaged:
    return "The installation record is damaged or was edited" + line + ".";
  case Problem::Unreadable:
    return "The installation record has a line it cannot have" + line + ".";
  }
  return "";
}
