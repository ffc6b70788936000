// The double-byte facts of the ANSI code page, which the path logic, the
// file-name case rule and the drive list ask. Portable: the path logic's
// scripted file systems answer them too.
#pragma once

class CodePage {
public:
  virtual ~CodePage() = default;
  // True on systems whose code page has double-byte characters
  // (GetSystemMetrics(SM_DBCSENABLED)).
  virtual bool DoubleByteSystem() = 0;
  // True for the first byte of a double-byte character (IsDBCSLeadByte).
  virtual bool IsLeadByte(unsigned char byte) = 0;

  // The running system's code page (folders/FileNameCase.cpp).
  static CodePage &Platform();
};
