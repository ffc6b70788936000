// The platform's registry behind RegistryAccess: advapi32's wide calls, in
// the view the Windows folder's registry editor writes to. A 32-bit program
// on a 64-bit system is shown a redirected HKLM\Software; the editor there
// is a 64-bit program, so every key is opened in the 64-bit view.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "registry/RegistryPriorState.h"

class WinRegistry : public RegistryAccess {
public:
  // The view is decided once, at the first use.
  static WinRegistry &Platform();

  bool KeyExists(const std::string &key) override;
  std::vector<std::string> SubKeys(const std::string &key) override;
  std::vector<std::string> ValueNames(const std::string &key) override;
  RegistryData ReadValue(const std::string &key, const std::string &name) override;
  unsigned long SetValue(const std::string &key, const std::string &name,
                         const RegistryData &data) override;
  unsigned long DeleteValue(const std::string &key, const std::string &name) override;
  unsigned long CreateKey(const std::string &key) override;
  unsigned long DeleteKey(const std::string &key) override;

  // True when this process may make keys in `key`, an existing key.
  bool MayCreateIn(const std::string &key);

private:
  WinRegistry();
  // `key` opened with `access` in this view; nullptr (and *error) when not.
  HKEY Open(const std::string &key, REGSAM access, unsigned long *error = nullptr);

  REGSAM view_ = 0;
};

// Deletes `key`'s values, then the key: for a key that is the program's
// own, such as its entry in the list of installed programs. 0 when it is
// gone (or was never there), otherwise the platform's code.
unsigned long DeleteOwnKey(RegistryAccess &registry, const std::string &key);
