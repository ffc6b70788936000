// release-check's verdict on a release folder: install.ini through the
// installer's reader, every file it names, the archive set through the
// archive library, the fit of the texts in the splash window, and the files
// the installer needs beside them.
#pragma once

#include "tools/release-check/Findings.h"
#include "tools/release-check/ReleaseFolder.h"

#include <memory>
#include <string>

class ArchiveLibrary;
class TextMeasure;

// The platform's archive library for a release folder (Windows: the folder's
// own unrar.dll, else the one beside the checker; Linux: the UnRAR library).
// Null, with the reason in *problem, when it cannot be loaded.
std::unique_ptr<ArchiveLibrary> LoadArchiveLibrary(const ReleaseFolder &folder,
                                                   std::string *problem);

struct CheckSetup {
  TextMeasure *measure = nullptr;
  // See CheckLabelFit.
  int slack = 0;
};

void CheckRelease(const ReleaseFolder &folder, const CheckSetup &setup, Findings &findings,
                  ReleaseFacts &facts);
