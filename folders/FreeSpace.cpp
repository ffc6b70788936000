#include "folders/FreeSpace.h"

#include <windows.h>

#include <utility>

namespace {
int64_t QueryPlatform(const std::string &folder) {
  // A share's root must end in a backslash; any folder may (a second one
  // after a drive's root is of no account).
  const std::string path = folder + "\\";
  ULARGE_INTEGER freeToCaller, total, totalFree;
  if (GetDiskFreeSpaceExA(path.c_str(), &freeToCaller, &total, &totalFree))
    return static_cast<int64_t>(freeToCaller.QuadPart);
  // The older query describes at most 2^32 clusters: used only where the
  // extended one is missing or fails.
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
  if (!GetDiskFreeSpaceA(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return -1;
  return static_cast<int64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

FreeBytesQuery query = QueryPlatform;
} // namespace

int64_t FreeBytes(const std::string &folder) {
  return query(folder);
}

void SetFreeBytesQuery(FreeBytesQuery replacement) {
  query = replacement ? std::move(replacement) : QueryPlatform;
}
