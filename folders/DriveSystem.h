// The platform queries the drive list makes, behind one interface so that a
// test can stand in for machines the test platform cannot produce.
#pragma once

#include <windows.h>

#include "folders/CodePage.h"

// The code page's answers come with it: a scripted machine can be a
// double-byte one.
class TDriveSystem : public CodePage {
public:
  // GetLogicalDrives: bit i set for drive "a" + i.
  virtual DWORD LogicalDrives() = 0;
  // GetDriveTypeA of a root such as "c:\".
  virtual UINT DriveType(const char *root) = 0;
  // GetVolumeInformationA asking for the volume name only.
  virtual bool VolumeName(const char *root, char *name, DWORD size) = 0;
  // WNetGetConnectionA: NO_ERROR and the remote name, or an error code.
  virtual DWORD NetConnection(const char *local, char *remote, DWORD *size) = 0;
  // SetErrorMode: sets the process's mode, returns the previous one.
  virtual UINT SetErrorMode(UINT mode) = 0;

  // The platform's own calls.
  static TDriveSystem &Platform();
};

// Keeps critical-error prompts off for its lifetime and then restores the
// mode the process had, whichever way the scope is left.
class TCriticalErrorsOff {
public:
  explicit TCriticalErrorsOff(TDriveSystem &system)
      : system_(system), previous_(system.SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TCriticalErrorsOff() { system_.SetErrorMode(previous_); }
  TCriticalErrorsOff(const TCriticalErrorsOff &) = delete;
  TCriticalErrorsOff &operator=(const TCriticalErrorsOff &) = delete;

private:
  TDriveSystem &system_;
  UINT previous_;
};
