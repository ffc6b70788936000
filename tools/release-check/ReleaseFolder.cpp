#include "tools/release-check/ReleaseFolder.h"

#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <windows.h>
#else
#include "tools/release-check/AnsiText.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <vector>
#endif

bool ReadWholeFile(const std::string &path, std::string *bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

#if defined(_WIN32)

ReleaseFolder::Entry ReleaseFolder::Locate(const std::string &ansiName) const {
  Entry entry;
  entry.path = folder_ + "\\" + ansiName;
  const DWORD attributes = GetFileAttributesA(entry.path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    entry.kind = Kind::Missing;
  else
    entry.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::Folder : Kind::File;
  return entry;
}

#else

namespace {
std::string AsciiLower(std::string text) {
  for (char &c : text)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// A name part as Windows reads it: blanks and dots at its end do not count.
std::string WindowsPart(std::string part) {
  while (!part.empty() && (part.back() == ' ' || part.back() == '.') && part != "." && part != "..")
    part.pop_back();
  return part;
}

// The entry of `folder` whose name matches `part` without regard to case.
bool FindPart(const std::string &folder, const std::string &part, std::string *found) {
  std::unique_ptr<DIR, int (*)(DIR *)> dir(opendir(folder.c_str()), closedir);
  if (!dir)
    return false;
  const std::string wanted = AsciiLower(part);
  while (dirent *e = readdir(dir.get())) {
    if (AsciiLower(WindowsPart(e->d_name)) == wanted) {
      *found = e->d_name;
      return true;
    }
  }
  return false;
}
} // namespace

ReleaseFolder::Entry ReleaseFolder::Locate(const std::string &ansiName) const {
  Entry entry;
  std::string path = folder_;
  std::string part;
  const std::string name = AnsiToUtf8(ansiName) + "\\";
  for (char c : name) {
    if (c != '\\' && c != '/') {
      part += c;
      continue;
    }
    part = WindowsPart(part);
    if (part.empty() || part == ".") {
      part.clear();
      continue;
    }
    std::string found;
    if (part == "..")
      found = part;
    else if (!FindPart(path, part, &found))
      return entry;
    path += "/" + found;
    part.clear();
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    return entry;
  entry.path = path;
  entry.kind = S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
  return entry;
}

#endif
