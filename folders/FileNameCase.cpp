#include "folders/FileNameCase.h"

#include "folders/FolderPath.h"

std::string FileNameCase(std::string text, bool lower, bool doubleByteSystem,
                         const std::function<bool(unsigned char)> &isLeadByte) {
  if (doubleByteSystem)
    return AsciiCase(std::move(text), lower, isLeadByte);
  if (!text.empty()) {
    DWORD length = static_cast<DWORD>(text.size());
    if (lower)
      CharLowerBuffA(&text[0], length);
    else
      CharUpperBuffA(&text[0], length);
  }
  return text;
}

std::string FileNameCase(std::string text, bool lower, TDriveSystem &system) {
  return FileNameCase(std::move(text), lower, system.DoubleByteSystem(),
                      [&](unsigned char byte) { return system.IsLeadByte(byte); });
}
