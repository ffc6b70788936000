#include "folders/FileNameCase.h"

#include <windows.h>

#include "folders/FolderPath.h"

namespace {
class PlatformCodePage : public CodePage {
public:
  bool DoubleByteSystem() override { return GetSystemMetrics(SM_DBCSENABLED) != 0; }
  bool IsLeadByte(unsigned char byte) override { return IsDBCSLeadByte(byte) != FALSE; }
};
} // namespace

CodePage &CodePage::Platform() {
  static PlatformCodePage platform;
  return platform;
}

std::string FileNameCase(std::string text, bool lower, CodePage &codePage) {
  if (codePage.DoubleByteSystem())
    return AsciiCase(std::move(text), lower,
                     [&](unsigned char byte) { return codePage.IsLeadByte(byte); });
  if (!text.empty()) {
    DWORD length = static_cast<DWORD>(text.size());
    if (lower)
      CharLowerBuffA(&text[0], length);
    else
      CharUpperBuffA(&text[0], length);
  }
  return text;
}
