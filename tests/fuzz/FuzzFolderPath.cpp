// The directory list's path logic on any path, against the scripted folder
// tree: splitting always goes back to the current folder, the chain and
// item paths stay within the text and a name, the case rule keeps every other byte.
#include <iterator>

#include "FuzzInput.h"
#include "ScriptedFolders.h"
#include "folders/FolderPath.h"

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
  items.push_back({"sub", FolderKind::Subfolder});
  for (int i = -1; i <= static_cast<int>(items.size()); ++i) {
    std::string to = ItemPath(path, items, i, fs);
    FUZZ_CHECK(to.size() <= path.size() + 5);
  }
  FUZZ_CHECK(PathDepth(path, fs) >= 0);
  FUZZ_CHECK(JoinPath(path, "x").size() <= path.size() + 2);

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
