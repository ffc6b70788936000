// The process's working set, current and peak, in megabytes, from
// kernel32's copy of the process-status call, so that the benchmark
// programs import system DLLs only. Zero where the call is missing.
#pragma once

#include <windows.h>

struct WorkingSet {
  double current = 0, peak = 0;
};

inline WorkingSet ProcessWorkingSet() {
  struct Counters {
    DWORD cb, pageFaultCount;
    SIZE_T peakWorkingSetSize, workingSetSize, rest[6];
  } counters{};
  counters.cb = sizeof counters;
  using Query = BOOL(WINAPI *)(HANDLE, Counters *, DWORD);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
  if (!query || !query(GetCurrentProcess(), &counters, sizeof counters))
    return {};
  return {static_cast<double>(counters.workingSetSize) / 1e6,
          static_cast<double>(counters.peakWorkingSetSize) / 1e6};
}
