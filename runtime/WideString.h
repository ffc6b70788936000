// The program's UTF-16 strings. A type of its own rather than std::wstring:
// the C++ library ships std::wstring compiled, and the linker keeps all of
// it (about 35 KB) once any member is used; a string of these traits is
// made of the members the program uses.
#pragma once

#include <string>

struct WideCharTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideCharTraits>;
