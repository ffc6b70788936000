// The installation record's reader on any bytes: what it accepts names no
// path outside the target, and written again reads back the same.
#include "FuzzInput.h"
#include "installation/InstallationRecord.h"

namespace {
std::string Written(const RecordReading &reading) {
  std::string text;
  for (const RecordSection &section : reading.sections)
    text += RecordSectionText(section);
  return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  const RecordReading reading = ReadRecord(in.Rest());
  const bool read = reading.problem == RecordReading::Problem::None;
  FUZZ_CHECK(read == RecordProblemText(reading).empty() && (read || reading.sections.empty()));
  for (const RecordSection &section : reading.sections) {
    for (const RecordedFile &file : section.files)
      FUZZ_CHECK(IsInsidePath(file.path));
    for (const std::string &folder : section.folders)
      FUZZ_CHECK(IsInsidePath(folder));
  }
  const RecordReading again = ReadRecord(Written(reading));
  FUZZ_CHECK(!read ||
             (again.problem == RecordReading::Problem::None && Written(again) == Written(reading)));
  return 0;
}
