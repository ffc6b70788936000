// Removing an installation's files: what its record says it put in place,
// and only what is still as it was put there.
//
// - A recorded file whose size and CRC-32 still match is deleted; a file
//   that changed (or is no longer a file) stays and is reported.
// - Folders the installation made (in any of its sections) are removed
//   when empty, deepest first; the target folder likewise, when the record
//   says the installation made it. Entries in those folders that the record
//   does not name were added by the user: they stay and are reported.
//   Unrecorded entries of folders that existed before are not looked at.
// - Several sections (installed again into the same folder): the newest
//   record of a path wins; a folder counts as made by the installation when
//   any section made it, as a later run finds an earlier run's folders there.
// - Nothing outside the target is touched: record lines naming a path
//   outside it were refused by the reader (reported here), and no path is
//   followed through a link (a junction or symbolic link) inside it.
// - The installation's own files (the uninstaller, the record) go last.
// A file that cannot be deleted (in use, denied) is reported with the
// platform's code, for the caller to schedule its removal at the next
// restart; a file that cannot be read to be checked is kept and reported.
//
// The file system sits behind RemovalFiles, so all of it is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installation/InstallationRecord.h"

// What removal asks of the file system. Paths are absolute, UTF-8, with
// backslashes; errors are the platform's codes, 0 success.
class RemovalFiles {
public:
  enum class Kind { Missing, File, Folder, Link };

  virtual ~RemovalFiles() = default;
  // A link (a junction or a symbolic link) is never entered.
  virtual Kind KindOf(const std::string &path) = 0;
  virtual uint64_t Size(const std::string &path) = 0;
  // The CRC-32 of the file's content.
  virtual unsigned long Crc(const std::string &path, uint32_t *crc) = 0;
  // The names in a folder, without "." and "..".
  virtual std::vector<std::string> List(const std::string &folder) = 0;
  // Deletes a file, read-only or not.
  virtual unsigned long RemoveFile(const std::string &path) = 0;
  // Removes an empty folder.
  virtual unsigned long RemoveFolder(const std::string &path) = 0;
};

struct RemovalNote {
  enum class Kind {
    Removed,    // a recorded file, deleted
    Changed,    // a recorded file that changed: kept
    Added,      // an entry the record does not name (a folder ends in '\'): kept
    Unchecked,  // a recorded file that could not be read: kept
    InUse,      // a recorded file that could not be deleted
    FolderKept, // a folder the installation made, kept: not empty
    Refused,    // a record line naming something outside the target
  };
  Kind kind;
  std::string path; // relative to the target; the target itself as ""
  unsigned long error = 0;
};

struct RemovalPlan {
  std::string target;
  std::vector<std::string> files;    // recorded files as they were put there
  std::vector<std::string> folders;  // made by the installation, deepest first
  std::vector<std::string> ownFiles; // the uninstaller and the record, last
  bool removeTarget = false;         // the installation made it
  std::vector<RemovalNote> notes;    // what stays, and why
};

// Looks, changes nothing. `target` is absolute; `ownFiles` are names in it.
RemovalPlan PlanRemoval(RemovalFiles &files, const std::string &target,
                        const std::vector<RecordSection> &sections,
                        const std::vector<std::string> &ownFiles);

// Carries the plan out: the plan's notes, then one note per file deleted or
// not, and per folder kept.
std::vector<RemovalNote> CarryOutRemoval(RemovalFiles &files, const RemovalPlan &plan);

// The note as a line for the removal's log and its result.
std::string RemovalNoteText(const RemovalNote &note);
