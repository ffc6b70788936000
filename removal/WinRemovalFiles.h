// The removal's file system on the platform: the wide calls with the
// long-path prefix, paths in UTF-8 as the record writes them.
#pragma once

#include "removal/RemovalPlan.h"

class WinRemovalFiles : public RemovalFiles {
public:
  Kind KindOf(const std::string &path) override;
  uint64_t Size(const std::string &path) override;
  unsigned long Crc(const std::string &path, uint32_t *crc) override;
  std::vector<std::string> List(const std::string &folder) override;
  unsigned long RemoveFile(const std::string &path) override;
  unsigned long RemoveFolder(const std::string &path) override;
};
