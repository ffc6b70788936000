// Texts of install.ini and the names in it are bytes in the installer's ANSI
// code page (Windows-1252). The Linux build needs them as Unicode: for file
// names, for glyphs, and for JSON, which is UTF-8 on both builds.
#pragma once

#include <string>

// The Unicode code point of one Windows-1252 byte; bytes the code page leaves
// undefined keep their value, as the platform's own conversion does.
char32_t AnsiToCodePoint(unsigned char byte);
std::string AnsiToUtf8(const std::string &ansi);
