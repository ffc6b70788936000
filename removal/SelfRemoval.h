// The uninstaller cannot delete its own file while it runs. When it is done,
// it copies itself into the temporary folder and starts the copy, which waits
// for the uninstaller to end, deletes its file and, when asked, the folder it
// was in (if that is empty by then). The copy goes too: it is opened for
// deletion on close, and that handle is inherited by the copy itself, so the
// file is deleted when the copy ends and its last handle closes.
#pragma once

#include <string>
#include <vector>

// Starts the copy for `file` (the running uninstaller) and `folder` ("" to
// leave the folder), both absolute UTF-8; false when it could not be
// started, and then nothing was left in the temporary folder.
bool StartSelfRemoval(const std::string &file, const std::string &folder);

// True for the arguments the copy is started with.
bool IsSelfRemovalRun(const std::vector<std::string> &args);
// The copy's work; its exit code.
int FinishSelfRemoval(const std::vector<std::string> &args);
