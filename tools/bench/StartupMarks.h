// Timestamps for tools/bench-startup: each Mark appends the step's name and
// the performance counter to the file named by BENCH_MARKS, if any.
#pragma once

#include <windows.h>

#include <cstdio>

inline void Mark(const char *name) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  static FILE *file = [] {
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("BENCH_MARKS", path, sizeof path);
    return length && length < sizeof path ? std::fopen(path, "w") : nullptr;
  }();
  if (!file)
    return;
  std::fprintf(file, "%s %lld\n", name, static_cast<long long>(now.QuadPart));
  std::fflush(file);
}
