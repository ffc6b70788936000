#include "installation/StagingArea.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace {
// The platform's codes the sentences name in words.
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kSharingViolation = 32;
constexpr unsigned long kDiskFull = 112;
constexpr unsigned long kAlreadyExists = 183;

// Written first into a new staging folder: what makes it ours. A run killed
// while writing it leaves a beginning of it, which counts too.
constexpr char kMarkerText[] = "Staging folder of an installation in progress: the next run of "
                               "the installer into this folder removes it.\r\n";
constexpr char kJournalHeader[] = "installer staging journal 1";

// Journal records, one per move, written before the move is made:
//   A <n> <path>  the target's <path> moved aside as aside\<n>
//   P <path>      the staged <path> moved into the target
//   C             every move made: the installation is complete
//   U <i>         the i-th move above undone (written after undoing it)
// Each is written as a line break, the record and '|', which no file name
// holds: a record that a killed run left half-written ends without it and
// counts for nothing, and the next record starts on a line of its own.

std::string Reason(unsigned long error) {
  switch (error) {
  case kAccessDenied:
    return "access denied";
  case kSharingViolation:
    return "in use";
  case kDiskFull:
    return "disk full";
  default:
    return "error " + std::to_string(error);
  }
}

bool SameAsciiName(const std::string &a, const std::string &b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

// The decimal number at `start` of `text`: the position after it, 0 when
// there is none.
size_t Number(const std::string &text, size_t start, unsigned long *number) {
  size_t end = start;
  *number = 0;
  while (end < text.size() && end - start < 9 && text[end] >= '0' && text[end] <= '9')
    *number = *number * 10 + static_cast<unsigned long>(text[end++] - '0');
  return end == start ? 0 : end;
}

std::string Join(const std::string &folder, const std::string &name) {
  if (folder.empty() || name.empty())
    return folder + name;
  return folder + "\\" + name;
}
} // namespace

std::string StagingProblemText(const StagingProblem &problem) {
  using Kind = StagingProblem::Kind;
  switch (problem.kind) {
  case Kind::None:
    return "";
  case Kind::ReadOnly:
    return "Cannot replace read-only " + problem.path;
  case Kind::FolderInTarget:
    return "Cannot replace folder " + problem.path;
  case Kind::FileInTarget:
    return "Cannot replace file " + problem.path;
  case Kind::Replace:
    return "Cannot replace " + problem.path + ": " + Reason(problem.error);
  case Kind::Move:
    return "Cannot install " + problem.path + ": " + Reason(problem.error);
  case Kind::Restore:
    return "Cannot restore " + problem.path + " (kept in " + kStagingName + ")";
  case Kind::NameTaken:
    return std::string("The name ") + kStagingName + " is taken";
  }
  return "";
}

StagingArea::StagingArea(StagingFiles &files, std::string target)
    : files_(files), target_(std::move(target)) {
  if (!target_.empty() && target_.back() == '\\')
    target_.pop_back(); // a drive's root
  stage_ = target_ + "\\" + kStagingName;
}

std::string StagingArea::Target(const std::string &relative) const {
  return Join(target_, relative);
}

std::string StagingArea::Staged(const std::string &relative) const {
  return Join(FilesFolder(), relative);
}

std::string StagingArea::Aside(unsigned number) const {
  return stage_ + "\\aside\\" + std::to_string(number);
}

std::vector<std::string> StagingArea::JournalRecords() {
  std::string text = files_.Read(stage_ + "\\journal");
  std::vector<std::string> records;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    if (end > start && text[end - 1] == '|')
      records.push_back(text.substr(start, end - start - 1));
    start = end + 1;
  }
  return records;
}

unsigned long StagingArea::Journal(const std::string &record) {
  return files_.Append(stage_ + "\\journal", "\n" + record + "|");
}

bool StagingArea::Committed() {
  for (const std::string &record : JournalRecords())
    if (record == "C")
      return true;
  return false;
}

bool StagingArea::Marked() {
  if (files_.KindOf(stage_ + "\\marker") != StagingFiles::Kind::File)
    return false;
  std::string text = files_.Read(stage_ + "\\marker");
  return std::string(kMarkerText).compare(0, text.size(), text) == 0;
}

StagingProblem StagingArea::Recover() {
  using Kind = StagingFiles::Kind;
  Kind kind = files_.KindOf(stage_);
  if (kind == Kind::Missing)
    return {};
  if (kind != Kind::Folder)
    return {StagingProblem::Kind::NameTaken, kStagingName};
  if (!Marked()) {
    // Made by a run that died before its marker, or by someone else.
    if (files_.List(stage_).empty() && files_.Remove(stage_) == 0)
      return {};
    return {StagingProblem::Kind::NameTaken, kStagingName};
  }
  if (StagingProblem problem = Undo())
    return problem;
  return Remove();
}

StagingProblem StagingArea::Create() {
  using Kind = StagingProblem::Kind;
  if (files_.KindOf(stage_) != StagingFiles::Kind::Missing)
    return {Kind::NameTaken, kStagingName};
  asideCount_ = 0;
  unsigned long error = files_.MakeFolder(stage_, true);
  if (!error)
    error = files_.Append(stage_ + "\\marker", kMarkerText);
  if (!error)
    error = Journal(kJournalHeader);
  if (!error)
    error = files_.MakeFolder(FilesFolder(), false);
  if (!error)
    error = files_.MakeFolder(stage_ + "\\aside", false);
  if (error)
    return {Kind::Move, kStagingName, error};
  return {};
}

StagingProblem StagingArea::Step(const std::string &line, const std::string &path,
                                 const std::string &from, const std::string &to) {
  unsigned long error = Journal(line);
  if (!error)
    error = files_.Move(from, to);
  if (error)
    return {line[0] == 'A' ? StagingProblem::Kind::Replace : StagingProblem::Kind::Move, path,
            error};
  return {};
}

StagingProblem StagingArea::Place(const std::string &relative) {
  using Kind = StagingFiles::Kind;
  using Problem = StagingProblem::Kind;
  for (const std::string &name : files_.List(Staged(relative))) {
    const std::string path = Join(relative, name);
    if (relative.empty() && SameAsciiName(name, kStagingName))
      return {Problem::NameTaken, path};
    const Kind staged = files_.KindOf(Staged(path));
    const Kind target = files_.KindOf(Target(path));
    StagingProblem problem;
    if (target == Kind::Missing) {
      problem = Step("P " + path, path, Staged(path), Target(path));
    } else if (staged == Kind::Folder) {
      // Folders merge; a link in the target is entered as the platform would.
      if (target == Kind::Folder || target == Kind::Link)
        problem = Place(path);
      else
        problem = {Problem::FileInTarget, path};
    } else if (target == Kind::File || target == Kind::Link) {
      const unsigned number = asideCount_++;
      problem = Step("A " + std::to_string(number) + " " + path, path, Target(path), Aside(number));
      if (!problem)
        problem = Step("P " + path, path, Staged(path), Target(path));
    } else {
      problem = {target == Kind::ReadOnlyFile ? Problem::ReadOnly : Problem::FolderInTarget, path};
    }
    if (problem)
      return problem;
  }
  return {};
}

StagingProblem StagingArea::Commit() {
  StagingProblem problem = Place("");
  if (!problem) {
    if (unsigned long error = Journal("C"))
      problem = {StagingProblem::Kind::Move, kStagingName, error};
  }
  if (!problem)
    return {};
  if (StagingProblem restore = Undo())
    return restore;
  return problem;
}

StagingProblem StagingArea::Undo() {
  using Kind = StagingFiles::Kind;
  std::vector<std::string> moves;
  std::set<unsigned long> undone;
  for (const std::string &line : JournalRecords()) {
    unsigned long number = 0;
    if (line == "C")
      return {}; // complete: nothing to undo
    if (line.rfind("A ", 0) == 0 || line.rfind("P ", 0) == 0)
      moves.push_back(line);
    else if (line.rfind("U ", 0) == 0 && Number(line, 2, &number) == line.size())
      undone.insert(number);
  }
  for (size_t i = moves.size(); i-- > 0;) {
    if (undone.count(i))
      continue;
    const std::string &line = moves[i];
    std::string path, from;
    if (line[0] == 'P') {
      path = line.substr(2);
      from = Target(path);
    } else {
      unsigned long number = 0;
      size_t end = Number(line, 2, &number);
      if (end == 0 || end >= line.size() || line[end] != ' ')
        return {StagingProblem::Kind::Restore, line.substr(2), 0}; // a damaged journal
      path = line.substr(end + 1);
      from = Aside(static_cast<unsigned>(number));
    }
    // A move announced but never made has nothing to take back.
    if (files_.KindOf(from) != Kind::Missing) {
      unsigned long error = 0;
      if (line[0] == 'P')
        error = files_.Move(from, Staged(path));
      else if (files_.KindOf(Target(path)) != Kind::Missing)
        error = kAlreadyExists;
      else
        error = files_.Move(from, Target(path));
      if (error)
        return {StagingProblem::Kind::Restore, path, error};
    }
    if (unsigned long error = Journal("U " + std::to_string(i)))
      return {StagingProblem::Kind::Restore, path, error};
  }
  return {};
}

void StagingArea::RemoveTree(const std::string &path) {
  using Kind = StagingFiles::Kind;
  Kind kind = files_.KindOf(path);
  if (kind == Kind::Missing)
    return;
  if (kind == Kind::Folder) // a link is removed, never entered
    for (const std::string &name : files_.List(path))
      RemoveTree(path + "\\" + name);
  files_.Remove(path);
}

StagingProblem StagingArea::Remove() {
  using Kind = StagingFiles::Kind;
  if (files_.KindOf(stage_) == Kind::Missing)
    return {};
  // Only ever our own: marked, or empty as a run that died at once left it.
  if (!Marked() && !files_.List(stage_).empty())
    return {StagingProblem::Kind::NameTaken, kStagingName};
  const std::string aside = stage_ + "\\aside";
  // Before the commit was complete, what is aside is the user's own: it
  // must have gone back.
  if (!Committed() && files_.KindOf(aside) == Kind::Folder && !files_.List(aside).empty())
    return {StagingProblem::Kind::Restore, kStagingName, kAlreadyExists};
  // The journal and the marker go last, so a run that dies on the way
  // leaves a staging folder the next run still recognises.
  for (const std::string &part : {FilesFolder(), aside, stage_ + "\\journal"}) {
    RemoveTree(part);
    if (files_.KindOf(part) != Kind::Missing)
      return {StagingProblem::Kind::Move, kStagingName, kAccessDenied};
  }
  RemoveTree(stage_);
  if (files_.KindOf(stage_) != Kind::Missing)
    return {StagingProblem::Kind::Move, kStagingName, kAccessDenied};
  return {};
}
