// Adds or removes a drive of the Wine prefix it runs in, through Wine's
// mount manager, which makes the dosdevices link, records the drive's kind
// and answers for it at once (no restart of the prefix).
//
//   winedrive add LETTER UNIX_PATH [hd|cdrom|floppy|network|ramdisk]
//   winedrive remove LETTER
// Exit code 0 on success.
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// Wine's own extension of the mount manager (include/ddk/mountmgr.h).
const DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

int KindOf(const std::string &name) {
  if (name == "hd")
    return DRIVE_FIXED;
  if (name == "cdrom")
    return DRIVE_CDROM;
  if (name == "floppy")
    return DRIVE_REMOVABLE;
  if (name == "network")
    return DRIVE_REMOTE;
  if (name == "ramdisk")
    return DRIVE_RAMDISK;
  return -1;
}

int Define(char letter, ULONG type, const char *mountPoint) {
  size_t pathSize = mountPoint ? std::strlen(mountPoint) + 1 : 0;
  std::vector<char> buffer(sizeof(UnixDrive) + pathSize);
  auto *drive = reinterpret_cast<UnixDrive *>(buffer.data());
  drive->size = static_cast<ULONG>(buffer.size());
  drive->type = type;
  drive->letter = static_cast<WCHAR>(letter);
  if (mountPoint) {
    drive->mountPointOffset = sizeof(UnixDrive);
    std::memcpy(buffer.data() + sizeof(UnixDrive), mountPoint, pathSize);
  }
  HANDLE manager =
      CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "winedrive: no mount manager (error %lu)\n", GetLastError());
    return 1;
  }
  DWORD returned = 0;
  BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(),
                            static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  DWORD error = GetLastError();
  CloseHandle(manager);
  if (!ok) {
    std::fprintf(stderr, "winedrive: drive %c: not changed (error %lu)\n", letter, error);
    return 1;
  }
  return 0;
}
} // namespace

int main(int argc, char **argv) {
  std::string command = argc > 1 ? argv[1] : "";
  char letter = argc > 2 ? argv[2][0] : 0;
  if (letter >= 'A' && letter <= 'Z')
    letter = static_cast<char>(letter - 'A' + 'a');
  if (letter < 'a' || letter > 'z') {
    std::fprintf(stderr, "usage: winedrive add LETTER UNIX_PATH [KIND] | remove LETTER\n");
    return 2;
  }
  if (command == "add" && argc >= 4) {
    int kind = KindOf(argc > 4 ? argv[4] : "hd");
    if (kind < 0) {
      std::fprintf(stderr, "winedrive: kinds are hd, cdrom, floppy, network, ramdisk\n");
      return 2;
    }
    return Define(letter, static_cast<ULONG>(kind), argv[3]);
  }
  if (command == "remove")
    return Define(letter, DRIVE_NO_ROOT_DIR, nullptr);
  std::fprintf(stderr, "usage: winedrive add LETTER UNIX_PATH [KIND] | remove LETTER\n");
  return 2;
}
