// The directory list's path logic on any path, against the scripted folder
// tree: splitting always goes back to the current folder, the chain and
// item paths stay within the text and a name, the case rule keeps every other byte.
#include <iterator>

#include "FuzzInput.h"
#include "ScriptedFolders.h"
#include "folders/FolderPath.h"

namespace {
// Whether the last character (not merely the last byte) is a backslash.
bool EndsWithBackslashCharacter(const std::string &text, FolderSystem &fs) {
  bool backslash = false;
  for (size_t i = 0; i < text.size(); ++i) {
    backslash = text[i] == '\\';
    if (fs.IsLeadByte(static_cast<unsigned char>(text[i]))) {
      backslash = false;
      ++i;
    }
  }
  return backslash;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzInput in(data, size);
  ScriptedFolders fs;
  uint8_t flags = in.Byte();
  fs.dbcs = flags & 1;
  // Start in any folder of the tree.
  auto start = fs.folders.begin();
  std::advance(start, (flags >> 1) % fs.folders.size());
  fs.current = *start;
  std::string path = in.Rest();

  SplitResult split = SplitPath(path, fs);
  FUZZ_CHECK(fs.current == *start);
  // A split that worked leaves one name at most.
  if (split.error == 0 && !fs.dbcs)
    FUZZ_CHECK(split.name.find('\\') == std::string::npos);

  std::vector<FolderItem> items = FolderChain(path, fs);
  bool endsWithBackslash = EndsWithBackslashCharacter(path, fs);
  // A folder on a drive (C:\A\B, the way the list holds it) gives one item
  // per backslash and one for itself.
  if (path.size() > 3 && path.compare(1, 2, ":\\") == 0 && !endsWithBackslash)
    FUZZ_CHECK(items.size() == static_cast<size_t>(PathDepth(path, fs)) + 1);
  items.push_back({"sub", FolderKind::Subfolder});
  if (items.size() > 1)
    FUZZ_CHECK(ItemPath(path, items, static_cast<int>(items.size()) - 1, fs) ==
               (endsWithBackslash ? path : path + "\\") + "sub");
  for (int i = -1; i <= static_cast<int>(items.size()); ++i) {
    std::string to = ItemPath(path, items, i, fs);
    FUZZ_CHECK(to.size() <= path.size() + 5);
  }
  FUZZ_CHECK(PathDepth(path, fs) >= 0);
  FUZZ_CHECK(JoinPath(path, "x", fs).size() <= path.size() + 2);

  auto lead = [&fs](unsigned char byte) { return fs.IsLeadByte(byte); };
  for (bool lower : {true, false}) {
    std::string cased = AsciiCase(path, lower, lead);
    FUZZ_CHECK(cased.size() == path.size());
    for (size_t i = 0; i < path.size(); ++i)
      if (cased[i] != path[i])
        FUZZ_CHECK((path[i] | 0x20) >= 'a' && (path[i] | 0x20) <= 'z' &&
                   (cased[i] ^ path[i]) == 0x20);
  }
  return 0;
}
