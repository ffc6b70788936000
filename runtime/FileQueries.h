// What the platform says of a path, for every layer that asks. Paths are
// in the ANSI code page (runtime/WideFiles.h takes UTF-8 ones).
#pragma once

#include <string>

// Size in bytes of the file at `path`; -1 when there is no file there (a
// folder does not count).
long long FileSize(const std::string &path);
// True for an existing entry of that name that is not a folder.
bool IsFile(const std::string &path);
// True for an existing folder of that name.
bool IsFolder(const std::string &path);
// The whole file; "" when it cannot be read.
std::string FileBytes(const std::string &path);
