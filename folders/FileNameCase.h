// Letter case of volume labels, share and file names: the platform's
// locale-aware conversion, except on double-byte systems, where only the
// ASCII letters change and double-byte characters are kept whole.
#pragma once

#include <string>

#include "folders/CodePage.h"

std::string FileNameCase(std::string text, bool lower, CodePage &codePage = CodePage::Platform());
