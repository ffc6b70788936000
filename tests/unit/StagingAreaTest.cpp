// The staging area's moves and their undo, on a file system in memory that
// can refuse any move or "die" at any step, as a killed process would.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "installation/StagingArea.h"

namespace {
using Kind = StagingFiles::Kind;

struct Died {}; // the process was killed here

class MemoryFiles : public StagingFiles {
public:
  struct Node {
    Kind kind;
    std::string data;
    bool operator==(const Node &other) const { return kind == other.kind && data == other.data; }
  };
  std::map<std::string, Node> nodes;
  std::set<int> refused; // these moves (counted from 0) fail as "in use"
  int dieAt = -1;        // the process dies at this change (counted from 0)

  // A new process on the same disk, to die at change `die` (-1: never).
  void Restart(int die) {
    moves = changes = 0;
    dieAt = die;
    refused.clear();
  }

  void File(const std::string &path, const std::string &data, Kind kind = Kind::File) {
    nodes[path] = {kind, data};
  }
  void Folder(const std::string &path) { nodes[path] = {Kind::Folder, ""}; }

  Kind KindOf(const std::string &path) override {
    auto it = nodes.find(path);
    return it == nodes.end() ? Kind::Missing : it->second.kind;
  }
  std::vector<std::string> List(const std::string &folder) override {
    std::vector<std::string> names;
    for (const auto &[path, node] : nodes)
      if (path.rfind(folder + "\\", 0) == 0 && path.find('\\', folder.size() + 1) == path.npos)
        names.push_back(path.substr(folder.size() + 1));
    return names;
  }
  unsigned long Move(const std::string &from, const std::string &to) override {
    Change();
    if (refused.count(moves++))
      return 32;
    if (!nodes.count(from) || nodes.count(to) || !nodes.count(Parent(to)))
      return 183;
    std::map<std::string, Node> moved;
    for (auto it = nodes.begin(); it != nodes.end();) {
      if (it->first == from || it->first.rfind(from + "\\", 0) == 0) {
        moved[to + it->first.substr(from.size())] = it->second;
        it = nodes.erase(it);
      } else {
        ++it;
      }
    }
    nodes.insert(moved.begin(), moved.end());
    return 0;
  }
  unsigned long MakeFolder(const std::string &path, bool) override {
    Change();
    if (nodes.count(path) || !nodes.count(Parent(path)))
      return 183;
    Folder(path);
    return 0;
  }
  unsigned long Remove(const std::string &path) override {
    Change();
    if (!nodes.count(path) || !List(path).empty())
      return 145;
    nodes.erase(path);
    return 0;
  }
  unsigned long Append(const std::string &file, const std::string &text) override {
    Node &node = nodes.emplace(file, Node{Kind::File, ""}).first->second;
    if (changes == dieAt) // a killed process may leave half a line
      node.data += text.substr(0, text.size() / 2);
    Change();
    node.data += text;
    return 0;
  }
  std::string Read(const std::string &file) override {
    auto it = nodes.find(file);
    return it == nodes.end() ? "" : it->second.data;
  }

  // Everything outside the staging folder.
  std::map<std::string, Node> Target() const {
    std::map<std::string, Node> outside;
    for (const auto &[path, node] : nodes)
      if (path.find(kStagingName) == path.npos)
        outside[path] = node;
    return outside;
  }
  bool Staging() const { return nodes.count(std::string("T:\\") + kStagingName) != 0; }

private:
  static std::string Parent(const std::string &path) { return path.substr(0, path.rfind('\\')); }
  void Change() {
    if (changes++ == dieAt)
      throw Died{};
  }
  int moves = 0;
  int changes = 0;
};

// The target T: holds the user's files; the set brings a.txt (also in the
// target), new.txt, a folder that merges (bin, with one file of each kind)
// and one that is new (docs).
MemoryFiles Prepared() {
  MemoryFiles fs;
  fs.Folder("T:");
  fs.File("T:\\a.txt", "old a");
  fs.File("T:\\mine.txt", "the user's");
  fs.Folder("T:\\bin");
  fs.File("T:\\bin\\tool.exe", "old tool");
  fs.File("T:\\bin\\keep.cfg", "the user's config");
  StagingArea area(fs, "T:\\");
  EXPECT_FALSE(area.Create());
  const std::string files = area.FilesFolder();
  fs.File(files + "\\a.txt", "new a");
  fs.File(files + "\\new.txt", "new");
  fs.Folder(files + "\\bin");
  fs.File(files + "\\bin\\tool.exe", "new tool");
  fs.Folder(files + "\\docs");
  fs.File(files + "\\docs\\read.me", "docs");
  return fs;
}

std::map<std::string, MemoryFiles::Node> Installed() {
  MemoryFiles fs;
  fs.Folder("T:");
  fs.File("T:\\a.txt", "new a");
  fs.File("T:\\mine.txt", "the user's");
  fs.File("T:\\new.txt", "new");
  fs.Folder("T:\\bin");
  fs.File("T:\\bin\\tool.exe", "new tool");
  fs.File("T:\\bin\\keep.cfg", "the user's config");
  fs.Folder("T:\\docs");
  fs.File("T:\\docs\\read.me", "docs");
  return fs.nodes;
}

// Commit, then remove the staging folder, as a run does.
StagingProblem CommitAndClean(MemoryFiles &fs) {
  StagingArea area(fs, "T:\\");
  StagingProblem problem = area.Commit();
  EXPECT_FALSE(area.Remove()) << StagingProblemText(problem);
  return problem;
}

TEST(StagingArea, CompleteCommitReplacesMergesAndLeavesNoStaging) {
  MemoryFiles fs = Prepared();
  EXPECT_FALSE(CommitAndClean(fs));
  EXPECT_EQ(fs.nodes, Installed());
}

// Whatever stands in the way, the target ends as it was.
TEST(StagingArea, AnythingInTheWayUndoesEveryMove) {
  struct Row {
    void (*plant)(MemoryFiles &);
    StagingProblem::Kind kind;
    const char *path;
    const char *text;
  };
  const Row rows[] = {
      {[](MemoryFiles &fs) { fs.File("T:\\new.txt", "locked", Kind::ReadOnlyFile); },
       StagingProblem::Kind::ReadOnly, "new.txt", "Cannot replace read-only new.txt"},
      {[](MemoryFiles &fs) { fs.Folder("T:\\new.txt"); }, StagingProblem::Kind::FolderInTarget,
       "new.txt", "Cannot replace folder new.txt"},
      {[](MemoryFiles &fs) { fs.File("T:\\docs", "a file"); }, StagingProblem::Kind::FileInTarget,
       "docs", "Cannot replace file docs"},
      {[](MemoryFiles &fs) { fs.refused = {3}; }, StagingProblem::Kind::Move, "bin\\tool.exe",
       "Cannot install bin\\tool.exe: in use"},
      {[](MemoryFiles &fs) { fs.refused = {2}; }, StagingProblem::Kind::Replace, "bin\\tool.exe",
       "Cannot replace bin\\tool.exe: in use"},
      {[](MemoryFiles &fs) {
         fs.File(std::string("T:\\") + kStagingName + "\\files\\" + "~Installer.Staging", "x");
       },
       StagingProblem::Kind::NameTaken, "~Installer.Staging",
       "The name ~installer.staging is taken"},
  };
  for (const Row &row : rows) {
    MemoryFiles fs = Prepared();
    row.plant(fs);
    auto before = fs.Target();
    StagingProblem problem = CommitAndClean(fs);
    EXPECT_EQ(problem.kind, row.kind) << row.text;
    EXPECT_EQ(problem.path, row.path);
    EXPECT_EQ(StagingProblemText(problem), row.text);
    EXPECT_EQ(fs.nodes, before) << row.text;
  }
}

// Every move refused in turn: each time, the moves before it are undone.
TEST(StagingArea, EachRefusedMoveUndoesTheOnesBefore) {
  for (int refused = 0;; ++refused) {
    MemoryFiles fs = Prepared();
    fs.refused = {refused};
    auto before = fs.Target();
    if (!CommitAndClean(fs)) {
      EXPECT_EQ(fs.nodes, Installed());
      EXPECT_GE(refused, 5) << "fewer moves than the set needs";
      break;
    }
    EXPECT_EQ(fs.nodes, before) << "move " << refused;
  }
}

// Killed at every step of a commit and its clean-up, and then again at every
// step of the next run's recovery: the recovery after that leaves the target
// as before the run, or installed when the journal says every move was made.
TEST(StagingArea, AKilledRunIsPutRightByTheNextOneEvenIfThatIsKilledToo) {
  for (int firstDeath = 0;; ++firstDeath) {
    MemoryFiles run = Prepared();
    auto before = run.Target();
    run.Restart(firstDeath);
    try {
      CommitAndClean(run);
      EXPECT_EQ(run.nodes, Installed());
      break; // the run outlived every step
    } catch (Died) {
    }
    for (int secondDeath = 0;; ++secondDeath) {
      MemoryFiles next = run;
      next.Restart(secondDeath);
      bool died = false;
      try {
        EXPECT_FALSE(StagingArea(next, "T:\\").Recover());
      } catch (Died) {
        died = true;
        next.Restart(-1);
        EXPECT_FALSE(StagingArea(next, "T:\\").Recover());
      }
      EXPECT_FALSE(next.Staging()) << firstDeath << "/" << secondDeath;
      EXPECT_TRUE(next.Target() == before || next.nodes == Installed())
          << firstDeath << "/" << secondDeath;
      if (!died)
        break;
    }
  }
}

TEST(StagingArea, OnlyAMarkedFolderIsEverRemoved) {
  const std::string stage = std::string("T:\\") + kStagingName;
  MemoryFiles fs;
  fs.Folder("T:");
  fs.Folder(stage);
  fs.File(stage + "\\someone's.txt", "keep");
  auto before = fs.nodes;
  EXPECT_EQ(StagingArea(fs, "T:").Recover().kind, StagingProblem::Kind::NameTaken);
  EXPECT_EQ(StagingArea(fs, "T:").Create().kind, StagingProblem::Kind::NameTaken);
  EXPECT_EQ(fs.nodes, before);
  fs.nodes.erase(stage + "\\someone's.txt"); // empty: a run died before its marker
  EXPECT_FALSE(StagingArea(fs, "T:").Recover());
  EXPECT_FALSE(fs.Staging());
}

// An original that cannot be put back stays in the staging folder, which
// is kept.
TEST(StagingArea, AnOriginalThatCannotGoBackKeepsTheStagingFolder) {
  MemoryFiles fs = Prepared();
  fs.refused = {3, 4}; // placing bin\\tool.exe, then taking its original back
  StagingArea area(fs, "T:\\");
  StagingProblem problem = area.Commit();
  EXPECT_EQ(StagingProblemText(problem),
            "Cannot restore bin\\tool.exe (kept in ~installer.staging)");
  EXPECT_EQ(area.Remove().kind, StagingProblem::Kind::Restore);
  EXPECT_EQ(fs.Read(area.Folder() + "\\aside\\1"), "old tool");
}
} // namespace
