// A file system in memory for the path logic of the directory list: a
// fixed tree of folders and files, per-drive current folders as the platform
// keeps them, Shift-JIS lead bytes when `dbcs` is set. Portable: used by the
// native tests and the fuzzer.
#pragma once

#include <map>
#include <set>
#include <string>

#include "folders/FolderPath.h"

class ScriptedFolders : public FolderSystem {
public:
  std::set<std::string> folders{"C:\\",     "C:\\APPS",       "C:\\APPS\\TOOLS",     "D:\\",
                                "D:\\WORK", "\\\\srv\\share", "\\\\srv\\share\\data"};
  std::set<std::string> files{"C:\\APPS\\readme.txt"};
  std::map<char, std::string> driveCurrent{{'C', "C:\\APPS"}, {'D', "D:\\WORK"}};
  std::string current = "C:\\APPS";
  int currentError = 0;
  bool dbcs = false;
  int changes = 0;

  int CurrentDirectory(std::string &path) override {
    if (currentError)
      return currentError;
    path = current;
    return 0;
  }
  int ChangeDirectory(const std::string &path) override {
    ++changes;
    std::string full = Resolve(path);
    if (!folders.count(full))
      return 3;
    current = full;
    if (full[1] == ':')
      driveCurrent[full[0]] = full;
    return 0;
  }
  bool IsFile(const std::string &path) override { return files.count(Resolve(path)) != 0; }
  bool DoubleByteSystem() override { return dbcs; }
  bool IsLeadByte(unsigned char byte) override {
    return dbcs && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
  }

private:
  std::string Resolve(const std::string &path) {
    std::string full;
    if (path.size() == 2 && path[1] == ':') {
      auto it = driveCurrent.find(path[0]);
      full = it != driveCurrent.end() ? it->second : path + "\\";
    } else if (path.size() > 2 && path[1] == ':') {
      full = path;
    } else if (path.rfind("\\\\", 0) == 0) {
      full = path;
    } else if (!path.empty() && path[0] == '\\') {
      full = DrivePart(current) + path;
    } else {
      full = JoinPath(current, path, *this);
    }
    if (full.size() > 3 && full.back() == '\\')
      full.pop_back();
    return full;
  }
};
