// What the extraction driver talks to outside the program: the archive
// library and the shell that starts the registry editor. Both can be
// replaced, so tests can script the library and record the shell call.
#pragma once

#include <windows.h>

class ArchiveLibrary;

// The library the driver uses; the real unrar.dll unless replaced.
ArchiveLibrary &ExtractionLibrary();
// nullptr goes back to the real unrar.dll.
void SetExtractionLibrary(ArchiveLibrary *library);

using ShellExecuteFunction = HINSTANCE(WINAPI *)(HWND owner, LPCSTR verb, LPCSTR file,
                                                 LPCSTR parameters, LPCSTR folder, INT show);
// nullptr goes back to ShellExecuteA.
void SetShellExecute(ShellExecuteFunction function);
