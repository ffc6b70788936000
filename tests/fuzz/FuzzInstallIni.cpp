// install.ini from any bytes: the ten fields come in order from the lines
// the reader gives, the archive path is the folder and the sixth line, and
// a failing read stops the fields at that line.
#include <stdexcept>

#include "FuzzInput.h"
#include "MemorySource.h"
#include "release/InstallIniMap.h"

namespace {
const char *const kDirectories[] = {"C:\\REL", "D:\\", "\\\\srv\\share\\rel", ""};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  std::string directory = kDirectories[in.Byte() % 4];
  uint8_t failByte = in.Byte();
  std::string bytes = in.Rest();
  // Half the inputs fail at some offset within the file.
  size_t failAt = failByte & 1 ? (failByte >> 1) * (bytes.size() + 1) / 128 : MemorySource::kNever;

  MemorySource source(bytes, 7);
  if (failAt != MemorySource::kNever)
    source.FailAt(failAt, 5);
  TextLineReader reader(source, 1);
  std::vector<std::string> lines;
  std::vector<std::pair<IniField, std::string>> fields;
  bool failed = false;
  try {
    MapInstallIni(
        [&] {
          std::string line;
          int32_t error = 0;
          if (!reader.ReadLine(&line, &error))
            throw std::runtime_error("read");
          lines.push_back(line);
          return line;
        },
        directory,
        [&](IniField field, const std::string &value) { fields.emplace_back(field, value); });
  } catch (const std::runtime_error &) {
    failed = true;
  }

  FUZZ_CHECK(!failed || failAt < bytes.size());
  FUZZ_CHECK(failed ? lines.size() < 9 : lines.size() == 9);
  std::vector<std::string> expected = ReferenceLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i)
    FUZZ_CHECK(lines[i] == (i < expected.size() ? expected[i] : ""));
  // Every line read sets its fields, the sixth two; none after a failure.
  FUZZ_CHECK(fields.size() == lines.size() + (lines.size() >= 6 ? 1 : 0));
  for (size_t i = 0; i < fields.size(); ++i)
    FUZZ_CHECK(fields[i].first == static_cast<IniField>(i));
  if (lines.size() >= 6) {
    FUZZ_CHECK(fields[6].second == directory + "\\");
    FUZZ_CHECK(fields[5].second == directory + "\\" + lines[5]);
  }
  return 0;
}
