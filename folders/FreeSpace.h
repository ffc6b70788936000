// Free space of the drive that holds a folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Bytes free to this user on the drive of `folder` (a folder that exists);
// -1 when it cannot be read. Exact on volumes of any size: the per-cluster
// query is only the fallback.
int64_t FreeBytes(const std::string &folder);

// Tests replace the platform query; an empty one (nullptr) restores it.
using FreeBytesQuery = std::function<int64_t(const std::string &folder)>;
void SetFreeBytesQuery(FreeBytesQuery query);
