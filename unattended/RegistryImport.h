// The registry import of an unattended run: the registry editor's silent
// switch, waited for, its exit code checked.
#pragma once

#include <string>

// "" when the editor imported `fileName`; otherwise the sentence that says
// why not.
std::string ImportRegistryFile(const std::string &fileName);
