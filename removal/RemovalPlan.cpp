#include "removal/RemovalPlan.h"

#include <algorithm>
#include <map>
#include <set>

#include "folders/FolderPath.h"

namespace {
using Kind = RemovalFiles::Kind;

// How the platform compares names, for the letters every code page shares.
std::string Folded(const std::string &path) {
  return AsciiCase(path, false, [](unsigned char) { return false; });
}

size_t Depth(const std::string &path) {
  return static_cast<size_t>(std::count(path.begin(), path.end(), '\\'));
}

class Planner {
public:
  Planner(RemovalFiles &files, const std::string &target) : files_(files), root_(target) {
    while (!root_.empty() && root_.back() == '\\')
      root_.pop_back();
  }

  std::string Absolute(const std::string &relative) const {
    if (relative.empty())
      return IsDriveRoot() ? root_ + "\\" : root_;
    return root_ + "\\" + relative;
  }
  bool IsDriveRoot() const { return root_.size() <= 2; }

  // True when every folder above `relative` is a folder of the target, none
  // a link; a link is reported.
  bool Reachable(const std::string &relative, std::vector<RemovalNote> &notes) {
    for (size_t slash = relative.find('\\'); slash != std::string::npos;
         slash = relative.find('\\', slash + 1)) {
      const std::string folder = relative.substr(0, slash);
      auto known = kinds_.find(Folded(folder));
      if (known == kinds_.end())
        known = kinds_.emplace(Folded(folder), files_.KindOf(Absolute(folder))).first;
      if (known->second == Kind::Link)
        notes.push_back({RemovalNote::Kind::Refused, relative});
      if (known->second != Kind::Folder)
        return false;
    }
    return true;
  }

private:
  RemovalFiles &files_;
  std::string root_;
  std::map<std::string, Kind> kinds_;
};
} // namespace

RemovalPlan PlanRemoval(RemovalFiles &files, const std::string &target,
                        const std::vector<RecordSection> &sections,
                        const std::vector<std::string> &ownFiles) {
  using Note = RemovalNote::Kind;
  RemovalPlan plan;
  plan.target = target;
  Planner planner(files, target);
  std::map<std::string, RecordedFile> recorded; // the newest record of each path
  std::map<std::string, std::string> made;      // folders any section made
  bool madeTarget = false;
  for (const RecordSection &section : sections) {
    for (const RecordedFile &file : section.files)
      recorded[Folded(file.path)] = file;
    for (const std::string &folder : section.folders)
      made.emplace(Folded(folder), folder);
    madeTarget = madeTarget || !section.targetExisted;
    for (const std::string &line : section.refused)
      plan.notes.push_back({Note::Refused, line});
  }
  std::set<std::string> own;
  for (const std::string &name : ownFiles) {
    own.insert(Folded(name));
    if (files.KindOf(planner.Absolute(name)) == Kind::File)
      plan.ownFiles.push_back(name);
  }

  for (const auto &[folded, file] : recorded) {
    if (own.count(folded) || !planner.Reachable(file.path, plan.notes))
      continue;
    const std::string path = planner.Absolute(file.path);
    const Kind kind = files.KindOf(path);
    uint32_t crc = 0;
    if (kind == Kind::Missing)
      continue;
    if (kind != Kind::File || files.Size(path) != file.size)
      plan.notes.push_back({Note::Changed, file.path});
    else if (unsigned long error = files.Crc(path, &crc))
      plan.notes.push_back({Note::Unchecked, file.path, error});
    else if (crc != file.crc)
      plan.notes.push_back({Note::Changed, file.path});
    else
      plan.files.push_back(file.path);
  }

  for (const auto &[folded, folder] : made) {
    if (!planner.Reachable(folder, plan.notes))
      continue;
    const Kind kind = files.KindOf(planner.Absolute(folder));
    if (kind == Kind::Folder)
      plan.folders.push_back(folder);
    else if (kind != Kind::Missing)
      plan.notes.push_back({Note::Changed, folder});
  }
  std::stable_sort(plan.folders.begin(), plan.folders.end(),
                   [](const std::string &a, const std::string &b) { return Depth(a) > Depth(b); });
  plan.removeTarget = madeTarget && !planner.IsDriveRoot();

  // What the user put into the installation's folders.
  std::vector<std::string> scanned = plan.folders;
  if (plan.removeTarget)
    scanned.push_back("");
  for (const std::string &folder : scanned) {
    for (const std::string &name : files.List(planner.Absolute(folder))) {
      const std::string path = folder.empty() ? name : folder + "\\" + name;
      const std::string folded = Folded(path);
      if (recorded.count(folded) || made.count(folded) || (folder.empty() && own.count(folded)))
        continue;
      const bool isFolder = files.KindOf(planner.Absolute(path)) == Kind::Folder;
      plan.notes.push_back({Note::Added, isFolder ? path + "\\" : path});
    }
  }
  return plan;
}

std::vector<RemovalNote> CarryOutRemoval(RemovalFiles &files, const RemovalPlan &plan) {
  using Note = RemovalNote::Kind;
  std::vector<RemovalNote> notes = plan.notes;
  Planner planner(files, plan.target);
  auto removeFile = [&](const std::string &file) {
    const unsigned long error = files.RemoveFile(planner.Absolute(file));
    notes.push_back({error ? Note::InUse : Note::Removed, file, error});
  };
  auto removeFolder = [&](const std::string &folder) {
    const std::string path = planner.Absolute(folder);
    const unsigned long error = files.List(path).empty() ? files.RemoveFolder(path) : 0;
    if (error || files.KindOf(path) != Kind::Missing)
      notes.push_back({Note::FolderKept, folder, error});
  };
  for (const std::string &file : plan.files)
    removeFile(file);
  for (const std::string &folder : plan.folders)
    removeFolder(folder);
  for (const std::string &file : plan.ownFiles)
    removeFile(file);
  if (plan.removeTarget)
    removeFolder("");
  return notes;
}

std::string RemovalNoteText(const RemovalNote &note) {
  using Note = RemovalNote::Kind;
  const std::string error = " (error " + std::to_string(note.error) + ")";
  switch (note.kind) {
  case Note::Removed:
    return "Removed " + note.path;
  case Note::Changed:
    return "Kept " + note.path + ": changed since it was installed";
  case Note::Added:
    return "Kept " + note.path + ": not installed by this release";
  case Note::Unchecked:
    return "Kept " + note.path + ": it cannot be read" + error;
  case Note::InUse:
    return "Could not remove " + note.path + ": in use or denied" + error;
  case Note::FolderKept:
    return (note.path.empty() ? std::string("Kept the folder") : "Kept " + note.path + "\\") +
           (note.error ? ": in use" + error : ": not empty");
  case Note::Refused:
    return "Refused " + note.path + ": outside the installation's folder";
  }
  return "";
}
