// Letter case of volume labels, share and file names: the platform's
// locale-aware conversion, except on double-byte systems, where only the
// ASCII letters change and double-byte characters are kept whole.
#pragma once

#include <functional>
#include <string>

#include "folders/DriveSystem.h"

std::string FileNameCase(std::string text, bool lower, bool doubleByteSystem,
                         const std::function<bool(unsigned char)> &isLeadByte);
std::string FileNameCase(std::string text, bool lower, TDriveSystem &system = TDriveSystem::Real());
