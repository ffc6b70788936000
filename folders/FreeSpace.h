// Free space of the drive that holds the process's current directory.
#pragma once

#include <cstdint>
#include <functional>

// Bytes free to this user on the current drive; -1 when it cannot be read.
// Exact on volumes of any size: the per-cluster query is only the fallback.
int64_t CurrentDriveFreeBytes();

// Tests replace the platform query; an empty one (nullptr) restores it.
using FreeBytesQuery = std::function<int64_t()>;
void SetFreeBytesQuery(FreeBytesQuery query);
