// The entry that lists an installation among the platform's installed
// programs, as data: the key it lives in and the values it holds, so that
// writing it is one registry call per value and removing it one key.
//
// One entry per target folder: its key name is derived from the folder's
// path, so installing again into the same folder rewrites the same entry
// and another folder gets an entry of its own. The path is compared as the
// platform compares paths, without regard to case: ASCII letters are folded
// here; the caller passes the path with the platform's upper-casing applied
// when other letters must fold too. The caller also passes the long form of
// the path (no 8.3 short names), as the platform's full-path call gives it.
//
// The uninstaller is the installer's own program, copied into the target
// folder as kUninstallerName; kUninstallSwitch starts it as the uninstaller
// of the folder it is in, /S with it removes without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/RegistryValue.h"

constexpr const char kUninstallerName[] = "Uninstall.exe";
constexpr const char kUninstallSwitch[] = "/UNINSTALL";

// The entry's key name: "Installer-" and 16 hex digits.
std::string ProgramListId(const std::string &target);
// The entry's key: under HKEY_LOCAL_MACHINE for a machine-wide entry,
// otherwise under HKEY_CURRENT_USER.
std::string ProgramListKey(bool machineWide, const std::string &id);
// True for a key ProgramListKey can make: removal deletes nothing else.
bool IsProgramListKey(const std::string &key);

// "<target>\Uninstall.exe" /UNINSTALL, and with /S for the quiet one.
std::string UninstallCommand(const std::string &target, bool quiet);

struct ProgramListFacts {
  std::string title;           // the release title (UTF-8)
  std::string target;          // the target folder, absolute (UTF-8)
  uint64_t installedBytes = 0; // the files the installation put in place
  int year = 0, month = 0, day = 0;
};

struct NamedRegistryValue {
  std::string name;
  RegistryData data;
};

// DisplayName, InstallLocation, UninstallString, QuietUninstallString,
// DisplayIcon, EstimatedSize (KB, rounded up), InstallDate (YYYYMMDD),
// NoModify and NoRepair (1).
std::vector<NamedRegistryValue> ProgramListValues(const ProgramListFacts &facts);
