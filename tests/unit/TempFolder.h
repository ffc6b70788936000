// A fresh folder under the system temp folder, removed with its files.
#pragma once

#include <windows.h>

#include <string>

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder &) = delete;
  TempFolder &operator=(const TempFolder &) = delete;

  const std::string &Root() const { return root_; }
  // Root + "\" + name.
  std::string Path(const std::string &name) const;
  std::string WriteFile(const std::string &name, const std::string &bytes) const;
  std::string MakeFolder(const std::string &name) const;
  static std::string ReadFile(const std::string &path);

private:
  std::string root_;
};
