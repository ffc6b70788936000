// Sizes, offsets and constant values as the library's own dll.hpp has them
// (UnrarHeaderProbe.cpp is the one file that includes dll.hpp).
#pragma once

#include <string>
#include <vector>

struct UnrarLayoutItem {
  std::string name; // "Record", "Record.Field" or "CONSTANT"
  long long value;  // sizeof, offsetof or the value
};

std::vector<UnrarLayoutItem> LibraryHeaderLayout();
// Whether dll.hpp's callback types are int (__stdcall *)(char *, int) and
// int (__stdcall *)(unsigned char *, int).
bool LibraryCallbacksAreStdcall();
