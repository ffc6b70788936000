#include "folders/FolderPath.h"

#include <algorithm>
#include <cctype>

namespace {
// Positions of the bytes equal to one of `separators`, skipping the byte
// after a lead byte: in double-byte code pages a trail byte may be 0x5C.
std::vector<size_t> Separators(const std::string &text, const char *separators, CodePage &fs) {
  std::vector<size_t> found;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (fs.IsLeadByte(byte)) {
      ++i;
      continue;
    }
    for (const char *s = separators; *s; ++s)
      if (text[i] == *s)
        found.push_back(i);
  }
  return found;
}

// Whether the last character is a backslash; a trail byte 0x5C is not one.
bool EndsWithBackslash(const std::string &text, FolderSystem &fs) {
  std::vector<size_t> cuts = Separators(text, "\\", fs);
  return !cuts.empty() && cuts.back() + 1 == text.size();
}

bool IsSlash(char c) {
  return c == '\\' || c == '/';
}
} // namespace

bool FitsPathBuffer(const std::string &path) {
  return path.size() < kMaxPathBytes;
}

std::string DrivePart(const std::string &path) {
  if (path.size() >= 2 && path[1] == ':')
    return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share: up to the backslash after the share name.
    size_t server = path.find('\\', 2);
    if (server == std::string::npos)
      return path;
    size_t share = path.find('\\', server + 1);
    return path.substr(0, share);
  }
  return {};
}

size_t AbsoluteRootLength(const std::string &path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      IsSlash(path[2]))
    return 3;
  // A share: two slashes, a server name, a slash and a share name.
  if (path.size() < 5 || !IsSlash(path[0]) || !IsSlash(path[1]))
    return 0;
  size_t serverEnd = path.find_first_of("\\/", 2);
  if (serverEnd == std::string::npos || serverEnd == 2 || serverEnd + 1 >= path.size() ||
      IsSlash(path[serverEnd + 1]))
    return 0;
  size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
  return shareEnd == std::string::npos ? path.size() : shareEnd;
}

bool IsAbsoluteFolder(const std::string &path) {
  return AbsoluteRootLength(path) != 0;
}

std::string JoinPath(const std::string &folder, const std::string &name, FolderSystem &fs) {
  if (EndsWithBackslash(folder, fs))
    return folder + name;
  return folder + "\\" + name;
}

std::vector<std::string> FolderLevels(const std::string &path, size_t rootLength,
                                      CodePage &codePage) {
  std::vector<std::string> levels;
  if (rootLength == 0)
    return levels;
  levels.push_back(path.substr(0, rootLength));
  std::vector<size_t> cuts = Separators(path, "\\/", codePage);
  cuts.push_back(path.size());
  size_t start = rootLength; // where the next name begins
  for (size_t cut : cuts) {
    if (cut < rootLength)
      continue;
    if (cut > start) // doubled separators make no level
      levels.push_back(path.substr(0, cut));
    start = cut + 1;
  }
  return levels;
}

int PathDepth(const std::string &path, FolderSystem &fs) {
  return static_cast<int>(Separators(path, "\\", fs).size());
}

std::vector<FolderItem> FolderChain(const std::string &directory, FolderSystem &fs) {
  std::vector<FolderItem> items;
  std::string root = DrivePart(directory) + "\\";
  std::string rest = directory;
  int level = 0;
  if (root.size() >= 2 && root[1] == '\\') {
    items.push_back({root, FolderKind::Ancestor});
    rest = directory.size() > root.size() ? directory.substr(root.size()) : std::string();
    level = 1;
  }
  if (rest.empty())
    return items;
  if (!EndsWithBackslash(rest, fs)) {
    std::vector<size_t> cuts = Separators(rest, "\\", fs);
    size_t start = 0;
    for (size_t cut : cuts) {
      std::string name = rest.substr(start, cut - start);
      if (level == 0)
        name += "\\";
      items.push_back({name, FolderKind::Ancestor});
      start = cut + 1;
      ++level;
    }
    rest.erase(0, start);
  }
  items.push_back({rest, FolderKind::Current});
  return items;
}

std::string ItemPath(const std::string &directory, const std::vector<FolderItem> &items, int index,
                     FolderSystem &fs) {
  if (index < 0 || index >= static_cast<int>(items.size()))
    return {};
  if (index == 0)
    return DrivePart(directory) + "\\";
  const FolderItem &item = items[static_cast<size_t>(index)];
  if (item.kind == FolderKind::Subfolder)
    return JoinPath(directory, item.text, fs);
  if (item.kind == FolderKind::Current)
    return directory;
  std::string body = directory.substr(DrivePart(directory).size());
  std::vector<size_t> cuts = Separators(body, "\\", fs);
  if (cuts.empty())
    return {};
  size_t last = std::min(cuts.size(), static_cast<size_t>(index) + 1) - 1;
  return body.substr(0, cuts[last]);
}

SplitResult SplitPath(const std::string &path, FolderSystem &fs) {
  SplitResult result;
  std::string saved;
  if ((result.error = fs.CurrentDirectory(saved)) != 0)
    return result;

  auto change = [&](const std::string &to) {
    if (result.error == 0)
      result.error = fs.ChangeDirectory(to);
    return result.error == 0;
  };

  std::string rest = path;
  std::string drive = DrivePart(rest);
  if (!drive.empty())
    rest.erase(0, drive.size());
  else
    drive = DrivePart(saved);
  if (drive.size() >= 2 && drive[1] == ':')
    result.drive = drive[0];

  if (change(drive)) {
    std::vector<size_t> cuts = Separators(rest, "\\:", fs);
    size_t nameStart = cuts.empty() ? 0 : cuts.back() + 1;
    std::string name = rest.substr(nameStart);
    std::string folder;
    if (rest.size() == name.size() + 1) {
      folder = "\\";
    } else if (name.size() < rest.size()) {
      folder = rest.substr(0, nameStart - 1);
    } else {
      std::string current;
      result.error = fs.CurrentDirectory(current);
      folder = current.substr(std::min(current.size(), DrivePart(current).size()));
      if (folder.empty())
        folder = "\\";
    }
    if (result.error == 0 && (folder.empty() || change(folder))) {
      if (!name.empty() && name.find_first_of("*?") == std::string::npos && !fs.IsFile(name) &&
          change(name)) {
        folder = folder.size() == 1 ? "\\" + name : folder + "\\" + name;
        name.clear();
      }
      if (result.drive == 0)
        folder = drive + folder;
      result.folder = folder;
      result.name = name;
    }
  }

  // Back where it was, in every case; this failure counts too.
  int back = fs.ChangeDirectory(saved);
  if (result.error == 0)
    result.error = back;
  return result;
}

std::string AsciiCase(std::string text, bool lower,
                      const std::function<bool(unsigned char)> &isLeadByte) {
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (isLeadByte(byte)) {
      ++i;
    } else if (lower && byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte + 32);
    } else if (!lower && byte >= 'a' && byte <= 'z') {
      text[i] = static_cast<char>(byte - 32);
    }
  }
  return text;
}
