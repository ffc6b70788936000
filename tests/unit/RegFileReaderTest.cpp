// Registry files in both of the editor's formats, to the changes their
// import makes; and the line a file is refused at.
#include <gtest/gtest.h>

#include <string>

#include "registry/RegFileReader.h"

namespace {
// The ANSI code page of these tests: Latin-1.
std::string Latin1(const std::string &bytes) {
  std::string out;
  for (unsigned char c : bytes)
    out += c < 0x80 ? std::string(1, c) : std::string{char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
  return out;
}

std::string Utf16File(const std::u16string &text) {
  std::string out = "\xFF\xFE";
  for (char16_t unit : text)
    out += std::string{static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return out;
}

// One line per change: "+key", "-key", "key|name=-", "key|name=type:hex".
std::string Changes(const RegFileReading &reading) {
  using Kind = RegChange::Kind;
  std::string out;
  for (const RegChange &change : reading.changes) {
    if (change.kind == Kind::SetKey || change.kind == Kind::DeleteKey)
      out += (change.kind == Kind::SetKey ? "+" : "-") + change.key;
    else
      out += change.key + "|" + change.name + "=" +
             (change.kind == Kind::DeleteValue ? "-" : std::to_string(change.type) + ":");
    for (unsigned char c : change.data)
      out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
    out += "\n";
  }
  return out;
}

TEST(RegFileReader, BothFormatsToTheChangesTheEditorMakes) {
  const std::pair<std::string, std::string> rows[] = {
      {"REGEDIT4\r\n\r\n; a comment\r\n[HKCU\\Software\\Demo\\]\r\n@=\"d\"\r\n"
       "\"Q\" = \"a\\\\b\\\"c\\n\" ; the editor's two escapes\r\n\"N\"=dword:2A\r\n"
       "\"B\"=hex:01,ff,\\\r\n  ; between\r\n  10\r\n\"E\"=hex(2):e9,00\r\n\"\xE9\"=\"\xE9\"\r\n"
       "\"Z\"=-\r\n[-hkey_local_machine\\Software\\Old]\r\n\"Ignored\"=\"x\"\r\n",
       "+HKEY_CURRENT_USER\\Software\\Demo\n"
       "HKEY_CURRENT_USER\\Software\\Demo|=1:64000000\n"
       "HKEY_CURRENT_USER\\Software\\Demo|Q=1:61005c006200220063005c006e000000\n"
       "HKEY_CURRENT_USER\\Software\\Demo|N=4:2a000000\n"
       "HKEY_CURRENT_USER\\Software\\Demo|B=3:01ff10\n"
       "HKEY_CURRENT_USER\\Software\\Demo|E=2:e9000000\n"
       "HKEY_CURRENT_USER\\Software\\Demo|\xC3\xA9=1:e9000000\n"
       "HKEY_CURRENT_USER\\Software\\Demo|Z=-\n"
       "-HKEY_LOCAL_MACHINE\\Software\\Old\n"},
      // UTF-16: text beyond any code page survives, hex lists stay bytes.
      {Utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\Software\\\u4e2d]\r\n"
                 u"\"\U0001F600\"=\"\u00e9\"\r\n\"M\"=hex(7):61,00,00,00,\\\n 00,00\r\n"
                 u"\"Q\"=hex(b):01,00,00,00,00,00,00,00\n\"X\"=hex(2):\r\n"),
       "+HKEY_LOCAL_MACHINE\\Software\\\xE4\xB8\xAD\n"
       "HKEY_LOCAL_MACHINE\\Software\\\xE4\xB8\xAD|\xF0\x9F\x98\x80=1:e9000000\n"
       "HKEY_LOCAL_MACHINE\\Software\\\xE4\xB8\xAD|M=7:610000000000\n"
       "HKEY_LOCAL_MACHINE\\Software\\\xE4\xB8\xAD|Q=11:0100000000000000\n"
       "HKEY_LOCAL_MACHINE\\Software\\\xE4\xB8\xAD|X=2:\n"},
      {"\xEF\xBB\xBFWindows Registry Editor Version "
       "5.00\n[HKEY_USERS\\S]\n\"\xC3\xA9\"=\"\xC3\xA9\"\n",
       "+HKEY_USERS\\S\nHKEY_USERS\\S|\xC3\xA9=1:e9000000\n"},
  };
  for (const auto &[bytes, changes] : rows) {
    RegFileReading reading = ReadRegFile(bytes, Latin1);
    EXPECT_EQ(reading.error, "");
    EXPECT_EQ(Changes(reading), changes);
  }
}

TEST(RegFileReader, RefusesWhatItCannotFollowAtItsLine) {
  const std::string v = "REGEDIT4\r\n[HKCU\\a]\r\n\"a\""; // a value line follows
  const std::pair<std::string, int> rows[] = {
      {"", 1},
      {"REGEDIT4 \r\n", 1},
      {"REGEDIT4\r\n\"a\"=\"b\"\r\n", 2},
      {"REGEDIT4\r\n[HKXX\\a]\r\n", 2},
      {"REGEDIT4\r\n[HKCU\\a\\\\]\r\n", 2},
      {"REGEDIT4\r\n[-HKEY_CURRENT_USER]\r\n", 2},
      {"REGEDIT4\r\n[HKCU\\a\r\n", 2},
      {v + "=\"b\r\n", 3},
      {v + "=\"b\" c\r\n", 3},
      {v + " \"b\"\r\n", 3},
      {v + "=dword:123456789\r\n", 3},
      {v + "=hex:1,2,\\\r\n", 3},
      {v + "=hex:01,\\\r\n02 03\r\n", 4},
      {v + "=hex:0g\r\n", 3},
      {v + "=str:\"x\"\r\n", 3},
      {v + std::string("=\"\0\"\r\n", 6), 3},
  };
  for (const auto &[bytes, line] : rows) {
    RegFileReading reading = ReadRegFile(bytes, Latin1);
    EXPECT_EQ(reading.errorLine, line) << bytes;
    EXPECT_EQ(reading.error.rfind("Line " + std::to_string(line) + ": ", 0), 0u) << reading.error;
  }
}
} // namespace
