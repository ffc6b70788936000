// What the registry editor takes for a registry file, from its bytes.
#include <gtest/gtest.h>

#include <string>

#include "release/RegistryFileText.h"

namespace {

std::string Utf16(const std::string &ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii)
    out += std::string{c, '\0'};
  return out;
}

TEST(RegistryFileText, Header) {
  const std::pair<std::string, bool> cases[] = {
      {"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n", true},
      {"REGEDIT4", true},
      {"\r\n\r\nREGEDIT4\r\n", true},
      {"\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n", true},
      {Utf16("Windows Registry Editor Version 5.00\r\n"), true},
      {Utf16("REGEDIT4\n"), true},
      {"regedit4\r\n", false},
      {"REGEDIT4 \r\n", false},
      {"Windows Registry Editor Version 5.0\r\n", false},
      {"not a registry file\r\n", false},
      {"", false},
      {"\r\n", false},
  };
  for (const auto &[bytes, header] : cases)
    EXPECT_EQ(HasRegistryHeader(RegistryFileText(bytes)), header) << bytes;
}

TEST(RegistryFileText, NarrowsUtf16) {
  EXPECT_EQ(RegistryFileText(Utf16("A\xE9") + std::string("\x3A\x26", 2)), "A\xE9?");
}

} // namespace
