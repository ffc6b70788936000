// The registry import of a release, in its two forms: start the registry
// editor and go on (the windowed road, where the editor asks its own
// questions), or import silently and wait for the result (unattended). The
// editor is always the one in the Windows folder, started by its full path:
// a regedit.exe lying beside the release or in the current directory is
// never run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The registry editor: regedit.exe in the Windows folder.
std::string RegistryEditorPath();

// Asks the shell to "open" the editor on `fileName` (quoted, so a name with
// blanks is one argument; the whole parameter string), with no owner window,
// no working folder (the editor starts in this process's current directory,
// where a relative name is found) and the normal show state. Does not wait
// and does not look at the shell's result.
void StartRegistryEditor(const std::string &fileName);

// Imports the file at `path` with the editor's silent switch, waits for it
// and checks its exit code: "" when it was imported, otherwise the sentence
// that says why not. A file the editor would refuse without a word (no
// registry header) is refused here; one with a UTF-8 mark, which the editor
// does not read, is handed to it in the encoding its header stands for.
std::string ImportRegistryFile(const std::string &path);

// The shell call that starts the editor; tests record it instead. An empty
// one (nullptr) goes back to the platform's ShellExecuteA.
using ShellExecuteFunction = std::function<HINSTANCE(HWND owner, LPCSTR verb, LPCSTR file,
                                                     LPCSTR parameters, LPCSTR folder, INT show)>;
void SetShellExecute(ShellExecuteFunction function);
