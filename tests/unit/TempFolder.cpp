#include "TempFolder.h"

#include <cstdio>
#include <stdexcept>

namespace {
void RemoveTree(const std::string &path) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}
} // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%sinst%lu_%u", base, GetCurrentProcessId(), counter++);
    if (CreateDirectoryA(name, nullptr)) {
      root_ = name;
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("cannot make a temp folder");
  }
}

TempFolder::~TempFolder() {
  RemoveTree(root_);
}

std::string TempFolder::Path(const std::string &name) const {
  return root_ + "\\" + name;
}

std::string TempFolder::WriteFile(const std::string &name, const std::string &bytes) const {
  std::string path = Path(name);
  FILE *f = fopen(path.c_str(), "wb");
  if (!f)
    throw std::runtime_error("cannot write " + path);
  fwrite(bytes.data(), 1, bytes.size(), f);
  fclose(f);
  return path;
}

std::string TempFolder::MakeFolder(const std::string &name) const {
  std::string path = Path(name);
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

std::string TempFolder::ReadFile(const std::string &path) {
  std::string bytes;
  FILE *f = fopen(path.c_str(), "rb");
  if (!f)
    return bytes;
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, f)) > 0)
    bytes.append(buffer, got);
  fclose(f);
  return bytes;
}
