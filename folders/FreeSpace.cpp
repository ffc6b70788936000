#include "folders/FreeSpace.h"

#include <windows.h>

#include <utility>

namespace {
int64_t QueryPlatform() {
  ULARGE_INTEGER freeToCaller, total, totalFree;
  if (GetDiskFreeSpaceExA(nullptr, &freeToCaller, &total, &totalFree))
    return static_cast<int64_t>(freeToCaller.QuadPart);
  // The older query describes at most 2^32 clusters: used only where the
  // extended one is missing or fails.
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
  if (!GetDiskFreeSpaceA(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                         &totalClusters))
    return -1;
  return static_cast<int64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
}

FreeBytesQuery query = QueryPlatform;
} // namespace

int64_t CurrentDriveFreeBytes() {
  return query();
}

void SetFreeBytesQuery(FreeBytesQuery replacement) {
  query = replacement ? std::move(replacement) : QueryPlatform;
}
