// The target folder of an unattended run, before anything is written to it.
#pragma once

#include <string>
#include <vector>

// `path` itself or its nearest ancestor that exists as a folder; "" when
// not even the root does. `path` is absolute.
std::string NearestExistingFolder(const std::string &path);

// Creates `path` (absolute) with its missing parents, adding each folder it
// made to `created` (from the root down); 0 or the platform's error code.
unsigned long CreateFolderWithParents(const std::string &path, std::vector<std::string> *created);

// Removes the folders of `created` again, the deepest first, each only if it
// is empty: what a failed run made and nothing else.
void RemoveCreatedFolders(const std::vector<std::string> &created);
