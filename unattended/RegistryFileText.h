// What the registry editor accepts as a registry file, judged from its
// bytes. Portable: no windows.h; release-check uses the same rule.
#pragma once

#include <string>

// The text of a registry file as single bytes: UTF-16LE (with its byte
// order mark) narrowed, characters past 0xFF as '?'; a UTF-8 mark dropped.
std::string RegistryFileText(const std::string &bytes);

// True when the first line of `text` that is not empty is "REGEDIT4" or "Windows Registry
// Editor Version 5.00": anything else the editor refuses, even silently.
bool HasRegistryHeader(const std::string &text);
