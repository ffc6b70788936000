#include "folders/FileNameCase.h"

std::string FileNameCase(std::string text, bool lower, TDriveSystem &system) {
  if (text.empty())
    return text;
  if (!system.DoubleByteSystem()) {
    DWORD length = static_cast<DWORD>(text.size());
    if (lower)
      CharLowerBuffA(&text[0], length);
    else
      CharUpperBuffA(&text[0], length);
    return text;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    char &c = text[i];
    if (system.IsLeadByte(static_cast<BYTE>(c))) {
      ++i; // the trail byte belongs to the same character
    } else if (lower && c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c + ('a' - 'A'));
    } else if (!lower && c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - ('a' - 'A'));
    }
  }
  return text;
}
