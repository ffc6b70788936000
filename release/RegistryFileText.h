// What the registry editor accepts as a registry file, judged from its
// bytes. Portable: no windows.h; release-check uses the same rule.
#pragma once

#include <string>

// The two headers the editor knows: the old one, whose files are in the
// ANSI code page, and the one it writes itself, in UTF-16LE with its mark.
constexpr const char kRegedit4Header[] = "REGEDIT4";
constexpr const char kRegedit5Header[] = "Windows Registry Editor Version 5.00";

// The text of a registry file as single bytes: UTF-16LE (with its byte
// order mark) narrowed, characters past 0xFF as '?'; a UTF-8 mark dropped.
std::string RegistryFileText(const std::string &bytes);

// The first line of `text` that is not empty.
std::string RegistryHeader(const std::string &text);

// True when that line is one of the two headers: anything else the editor
// refuses, even silently.
bool HasRegistryHeader(const std::string &text);
