// The target folder of an unattended run, before anything is written to it.
#pragma once

#include <string>

// `path` itself or its nearest ancestor that exists as a folder; "" when
// not even the root does. `path` is absolute.
std::string NearestExistingFolder(const std::string &path);

// Creates `path` (absolute) with its missing parents; 0 or the platform's
// error code.
unsigned long CreateFolderWithParents(const std::string &path);
