// An installation reaches its target folder in one step at the end. The
// library unpacks the set into a staging folder inside the target (the same
// volume, so the last step is renames, not copies), and only a complete set
// is moved into place: each entry renamed into the target, an existing file
// of the same name first moved aside into the staging folder. Every move is
// written to a journal before it is made, so a move that fails, or a run
// that is killed, is undone from the journal and the target is as it was.
//
// Portable: paths are UTF-8 with backslashes, and the file system sits
// behind StagingFiles, so the moves and their undo are tested natively.
#pragma once

#include <string>
#include <vector>

// The staging folder's name in the target: hidden, and obviously ours.
constexpr const char kStagingName[] = "~installer.staging";

// What the staging area asks of the file system. Errors are the platform's
// codes; 0 is success.
class StagingFiles {
public:
  enum class Kind { Missing, File, ReadOnlyFile, Folder, Link };

  virtual ~StagingFiles() = default;
  // A link (a junction or a symbolic link) is never entered.
  virtual Kind KindOf(const std::string &path) = 0;
  // The names in a folder, without "." and "..".
  virtual std::vector<std::string> List(const std::string &folder) = 0;
  // Renames a file, link or whole folder; never replaces what is there.
  virtual unsigned long Move(const std::string &from, const std::string &to) = 0;
  virtual unsigned long MakeFolder(const std::string &path, bool hidden) = 0;
  // Removes a file, a link or an empty folder.
  virtual unsigned long Remove(const std::string &path) = 0;
  // Appends `text` to a file (made when missing); on disk when it returns.
  virtual unsigned long Append(const std::string &file, const std::string &text) = 0;
  // The whole file; "" when it cannot be read.
  virtual std::string Read(const std::string &file) = 0;
};

// Why the files could not be put in place, or put back. `path` is relative
// to the target folder.
struct StagingProblem {
  enum class Kind {
    None,
    ReadOnly,       // a read-only file of the same name is in the target
    FolderInTarget, // a folder in the target, a file in the set
    FileInTarget,   // a file in the target, a folder in the set
    Replace,        // the platform refused to move a target file aside (in use, denied, ...)
    Move,           // the platform refused a move into the target
    Restore,        // what the target held could not be put back
    NameTaken,      // the staging folder's name is used by something else
  };
  Kind kind = Kind::None;
  std::string path;
  unsigned long error = 0;

  explicit operator bool() const { return kind != Kind::None; }
};

// The sentence for a problem, short enough for a status line.
std::string StagingProblemText(const StagingProblem &problem);

class StagingArea {
public:
  // `target` is the target folder's absolute path (UTF-8).
  StagingArea(StagingFiles &files, std::string target);

  // The staging folder, and the folder in it that the library writes into.
  const std::string &Folder() const { return stage_; }
  std::string FilesFolder() const { return stage_ + "\\files"; }

  // Puts right what an earlier run left in the target: undoes its moves
  // from its journal (or, when the journal says they were all made,
  // finishes them) and removes its staging folder. Nothing happens when
  // there is none; a folder of the staging name without the marker is
  // left alone (and NameTaken returned), unless it is empty.
  StagingProblem Recover();
  // Makes the staging folder, its marker and journal.
  StagingProblem Create();
  // Moves every staged entry into the target, merging folders. On a
  // failure every move made is undone in reverse order before it returns.
  StagingProblem Commit();
  // Removes the staging folder: after a commit with the files moved aside,
  // otherwise with the staged files. When an original could not be put
  // back it stays in the staging folder, which is kept (Restore).
  StagingProblem Remove();

private:
  StagingProblem Place(const std::string &relative);
  StagingProblem Step(const std::string &line, const std::string &path, const std::string &from,
                      const std::string &to);
  StagingProblem Undo();
  void RemoveTree(const std::string &path);
  unsigned long Journal(const std::string &record);
  std::vector<std::string> JournalRecords();
  bool Committed();
  bool Marked();
  std::string Target(const std::string &relative) const;
  std::string Staged(const std::string &relative) const;
  std::string Aside(unsigned number) const;

  StagingFiles &files_;
  std::string target_;
  std::string stage_;
  unsigned asideCount_ = 0;
};
