// Removal on a file system in memory: only what the record names, still as
// it was put there, goes; what the user changed or added stays and is named.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "removal/RemovalPlan.h"
#include "runtime/Crc32.h"

namespace {
using Kind = RemovalFiles::Kind;
const std::string kFolder = "<folder>", kLink = "<link>";

class MemoryFiles : public RemovalFiles {
public:
  std::map<std::string, std::string> nodes{{"T:", kFolder}, {"T:\\outside.txt", "not ours"}};
  std::set<std::string> unreadable, locked;

  Kind KindOf(const std::string &path) override {
    if (!nodes.count(path))
      return Kind::Missing;
    return nodes[path] == kFolder ? Kind::Folder : nodes[path] == kLink ? Kind::Link : Kind::File;
  }
  uint64_t Size(const std::string &path) override { return nodes[path].size(); }
  unsigned long Crc(const std::string &path, uint32_t *crc) override {
    *crc = Crc32(nodes[path].data(), nodes[path].size());
    return unreadable.count(path) ? 33 : 0;
  }
  std::vector<std::string> List(const std::string &folder) override {
    std::vector<std::string> names;
    for (const auto &[path, node] : nodes)
      if (path.rfind(folder + "\\", 0) == 0 && path.find('\\', folder.size() + 1) == path.npos)
        names.push_back(path.substr(folder.size() + 1));
    return names;
  }
  unsigned long RemoveFile(const std::string &path) override {
    return locked.count(path) ? 32 : nodes.erase(path) ? 0 : 2;
  }
  unsigned long RemoveFolder(const std::string &path) override {
    return List(path).empty() && nodes.erase(path) ? 0 : 145;
  }
};

// T:\Game made by the installation, with its uninstaller and record; the
// record goes through its text, as on disk.
struct Installed {
  MemoryFiles fs;
  RecordSection section, again; // again: a second installation's, or empty

  Installed() {
    for (const char *folder : {"", "\\bin", "\\docs", "\\docs\\more"})
      fs.nodes[std::string("T:\\Game") + folder] = kFolder;
    section.targetExisted = false;
    section.folders = {"bin", "docs", "docs\\more"};
    for (const std::string file :
         {"a.txt", "bin\\tool.exe", "bin\\lib.dll", "docs\\more\\read.me"}) {
      fs.nodes["T:\\Game\\" + file] = file;
      section.files.push_back({file, file.size(), Crc32(file.data(), file.size())});
    }
    fs.nodes["T:\\Game\\Uninstall.exe"] = fs.nodes["T:\\Game\\Uninstall.txt"] = "ours";
  }
};

TEST(RemovalPlan, TakesBackOnlyWhatIsStillAsInstalled) {
  struct Row {
    std::function<void(Installed &)> after; // what happened since the installation
    std::vector<std::string> left;          // what stays of T:\Game
    std::vector<std::string> notes;         // the notes but Removed, as kind letter and path
  };
  const Row rows[] = {
      {[](Installed &) {}, {}, {}},
      // Changed, added, in use, unreadable: all stay, and so do their folders.
      {[](Installed &in) {
         in.fs.nodes["T:\\Game\\bin\\tool.exe"] = "patched by the user";
         in.fs.nodes["T:\\Game\\docs\\more\\mine.txt"] = "the user's";
         in.fs.nodes["T:\\Game\\docs\\notes"] = kFolder;
         in.fs.locked = {"T:\\Game\\bin\\lib.dll"};
         in.fs.unreadable = {"T:\\Game\\a.txt"};
       },
       {"Game", "Game\\a.txt", "Game\\bin", "Game\\bin\\lib.dll", "Game\\bin\\tool.exe",
        "Game\\docs", "Game\\docs\\more", "Game\\docs\\more\\mine.txt", "Game\\docs\\notes"},
       {"U a.txt", "C bin\\tool.exe", "A docs\\more\\mine.txt", "A docs\\notes\\", "I bin\\lib.dll",
        "F docs\\more", "F bin", "F docs", "F "}},
      // A folder that held the user's files before, a ".." line, a link:
      // only recorded files inside the target go.
      {[](Installed &in) {
         in.section.targetExisted = true;
         in.fs.nodes["T:\\Game\\old.txt"] = "the user's";
         in.section.files.push_back({"..\\outside.txt", 8, Crc32("not ours", 8)});
         in.fs.nodes["T:\\Game\\docs\\more"] = kLink;
       },
       {"Game", "Game\\docs", "Game\\docs\\more", "Game\\docs\\more\\read.me", "Game\\old.txt"},
       {"X line 11: file\t..\\outside.txt\t8\t69b54723", "X docs\\more\\read.me", "C docs\\more",
        "F docs"}},
      // Installed again: the newest record of a file wins; the first run's
      // folders and target count as the installation's.
      {[](Installed &in) {
         in.again.files = {{"a.txt", 3, Crc32("new", 3)}};
         in.fs.nodes["T:\\Game\\a.txt"] = "new";
       },
       {},
       {}},
  };
  for (const Row &row : rows) {
    Installed in;
    row.after(in);
    RecordReading record = ReadRecord(RecordSectionText(in.section) + RecordSectionText(in.again));
    RemovalPlan plan =
        PlanRemoval(in.fs, "T:\\Game\\", record.sections, {"Uninstall.exe", "Uninstall.txt"});
    std::vector<std::string> notes, left;
    for (const RemovalNote &note : CarryOutRemoval(in.fs, plan))
      if (note.kind != RemovalNote::Kind::Removed)
        notes.push_back("RCAUIFX"[static_cast<int>(note.kind)] + (" " + note.path));
    for (const auto &[path, node] : in.fs.nodes)
      if (path.rfind("T:\\Game", 0) == 0)
        left.push_back(path.substr(3));
    EXPECT_EQ(left, row.left);
    EXPECT_EQ(notes, row.notes);
    EXPECT_EQ(in.fs.nodes["T:\\outside.txt"], "not ours");
  }
}
} // namespace
