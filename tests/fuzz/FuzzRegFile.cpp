// The registry file reader on any bytes, in any of its encodings: it never
// fails but with a line inside the file, and every change names a key the
// way the rest of the code spells keys; values belong to a key that is set.
#include "FuzzInput.h"
#include "registry/RegFileReader.h"
#include "registry/RegistryValue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  static const char *const kMarks[] = {"", "\xFF\xFE", "\xEF\xBB\xBF"};
  const std::string bytes = kMarks[in.Byte() % 3] + in.Rest();
  // The code page conversion is the platform's: here none.
  RegFileReading reading = ReadRegFile(bytes, [](const std::string &ansi) { return ansi; });
  FUZZ_CHECK(reading.error.empty() == (reading.errorLine == 0));
  FUZZ_CHECK(reading.errorLine >= 0 && static_cast<size_t>(reading.errorLine) <= bytes.size() + 1);
  const RegChange *key = nullptr; // values belong to the key set last
  for (const RegChange &change : reading.changes) {
    FUZZ_CHECK(!change.key.empty() && CanonicalKeyPath(change.key) == change.key);
    if (change.kind == RegChange::Kind::DeleteKey)
      FUZZ_CHECK(KeyDepth(change.key) > 0);
    if (change.kind == RegChange::Kind::SetKey || change.kind == RegChange::Kind::DeleteKey)
      key = &change;
    else
      FUZZ_CHECK(key && key->kind == RegChange::Kind::SetKey && key->key == change.key);
  }
  return 0;
}
