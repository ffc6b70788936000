#include "folders/DriveSystem.h"

#include <winnetwk.h>

#include "runtime/LibraryFunction.h"

namespace {
class TPlatformDrives : public TDriveSystem {
public:
  DWORD LogicalDrives() override { return GetLogicalDrives(); }
  UINT DriveType(const char *root) override { return GetDriveTypeA(root); }
  bool VolumeName(const char *root, char *name, DWORD size) override {
    return GetVolumeInformationA(root, name, size, nullptr, nullptr, nullptr, nullptr, 0) != 0;
  }
  // The network library is loaded when a network drive is first listed.
  DWORD NetConnection(const char *local, char *remote, DWORD *size) override {
    static const auto get = LibraryFunction<decltype(&WNetGetConnectionA)>(SystemLibrary("mpr.dll"),
                                                                           "WNetGetConnectionA");
    return get ? get(local, remote, size) : ERROR_NO_NETWORK;
  }
  bool DoubleByteSystem() override { return CodePage::Platform().DoubleByteSystem(); }
  bool IsLeadByte(unsigned char byte) override { return CodePage::Platform().IsLeadByte(byte); }
  UINT SetErrorMode(UINT mode) override { return ::SetErrorMode(mode); }
};
} // namespace

TDriveSystem &TDriveSystem::Platform() {
  static TPlatformDrives platform;
  return platform;
}
