// The line reader against the plain line rules, for any bytes and any
// buffer and block sizes.
#include "FuzzInput.h"
#include "MemorySource.h"
#include "runtime/TextLineReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  size_t buffer = in.Byte() % 17; // 0 asks for the smallest buffer
  size_t block = 1 + in.Byte() % 16;
  std::string bytes = in.Rest();

  MemorySource source(bytes, block);
  TextLineReader reader(source, buffer);
  std::vector<std::string> lines;
  int32_t error = 0;
  while (!reader.AtEnd(&error)) {
    FUZZ_CHECK(lines.size() <= bytes.size());
    std::string line;
    FUZZ_CHECK(reader.ReadLine(&line, &error));
    lines.push_back(line);
  }
  FUZZ_CHECK(error == 0);
  FUZZ_CHECK(lines == ReferenceLines(bytes));
  for (int i = 0; i < 2; ++i) {
    std::string line = "stale";
    FUZZ_CHECK(reader.ReadLine(&line, &error) && line.empty());
    FUZZ_CHECK(reader.AtEnd(&error));
  }
  return 0;
}
