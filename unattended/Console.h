// The console of whoever started the program. A program for the windowed
// subsystem gets none of its own: it writes to the handles it inherited
// (a redirection, or Wine's Unix terminal) or attaches to its parent's.
#pragma once

#include <string>

// False when the program has no console to write to.
bool WriteToConsole(const std::string &text, bool error);

// The usage: on the console when there is one, otherwise in a box.
void ShowUsage();
