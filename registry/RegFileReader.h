// A registry file read as the registry editor reads it, into the list of
// changes its import makes: so that what those changes overwrite can be
// recorded before the import, and put back when the installation is removed.
//
// Both formats the editor writes are read: "REGEDIT4" text in the ANSI code
// page and "Windows Registry Editor Version 5.00" text in UTF-16LE with its
// byte order mark; a file with a UTF-8 mark is read as UTF-8. The ANSI code
// page is the platform's, so its conversion comes from the caller.
//
// What comes out is what the editor stores:
// - key paths with the root written long (HKCU as HKEY_CURRENT_USER), names
//   in UTF-8, the default value ("@") as the name "";
// - string values ("text", with \\ and \" as the escapes; any other
//   backslash stays as written) as UTF-16LE with the terminating zero, in
//   both formats: the editor stores the Unicode form of an ANSI file's text;
// - hex(2) and hex(7) data of a REGEDIT4 file are ANSI strings, converted
//   to UTF-16LE as the editor converts them; every other hex list, and
//   those of a 5.00 file, byte for byte;
// - dword:<1 to 8 hex digits> as four bytes, least significant first.
// Values that follow a deleted key are ignored, as the editor ignores them.
// Anything else is refused with the line it is on: a file this reader
// cannot follow is one whose changes cannot be taken back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ANSI code page bytes (zeros included) to UTF-8.
using AnsiDecoder = std::function<std::string(const std::string &)>;

struct RegChange {
  enum class Kind {
    SetKey,      // [key]: made with any missing parents
    DeleteKey,   // [-key]: removed with everything beneath it
    SetValue,    // "name"=data
    DeleteValue, // "name"=-
  };
  Kind kind;
  std::string key;
  std::string name; // values only
  uint32_t type = 0;
  std::string data; // SetValue only
};

struct RegFileReading {
  bool unicode = false; // the 5.00 header rather than REGEDIT4
  std::vector<RegChange> changes;
  int errorLine = 0; // 1-based; 0 when the whole file was read
  std::string error; // "Line 7: ..." or "" when the whole file was read
};

RegFileReading ReadRegFile(const std::string &bytes, const AnsiDecoder &ansiToUtf8);
