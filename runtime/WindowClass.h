// Registration of the program's window classes: once per process and
// module, whoever asks first; later requests for the same name do nothing.
#pragma once

#include <windows.h>

// Registers `wc` for this program's module (wc.hInstance is filled in)
// unless a class of that name is registered already.
void RegisterWindowClass(WNDCLASSA wc);

// The common case: a procedure, a cursor and optionally the program's icon.
void RegisterWindowClass(const char *name, WNDPROC procedure, LPCSTR cursor = nullptr,
                         bool programIcon = false);
