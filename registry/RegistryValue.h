// The registry's vocabulary for the portable code: value types, a value as
// it is (or is not) in the registry, key paths, and registry strings.
//
// Key paths are UTF-8, their root written long ("HKEY_CURRENT_USER\Software"),
// so one key has one spelling whatever form a file used. Value data are the
// bytes the platform's wide calls store and return: strings as UTF-16LE with
// their terminating zero. Names are compared as the registry does, without
// regard to case (here the ASCII letters; see RegistryNameKey).
#pragma once

#include <cstdint>
#include <string>

enum : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// A value as it is in the registry, or that it is not there.
struct RegistryData {
  bool exists = false;
  uint32_t type = kRegNone;
  std::string bytes;

  bool operator==(const RegistryData &other) const {
    return exists == other.exists && (!exists || (type == other.type && bytes == other.bytes));
  }
  bool operator!=(const RegistryData &other) const { return !(*this == other); }
};

// `path` with its root written long: HKEY_LOCAL_MACHINE (HKLM),
// HKEY_CURRENT_USER (HKCU), HKEY_CLASSES_ROOT (HKCR), HKEY_USERS (HKU),
// HKEY_CURRENT_CONFIG (HKCC), matched without regard to case; one trailing
// backslash dropped. "" for another root or an empty key name in the path.
std::string CanonicalKeyPath(const std::string &path);
// The number of key names below the root: 0 for a root.
size_t KeyDepth(const std::string &key);
// What two names that the registry takes for the same have in common: the
// name with its ASCII letters upper-cased.
std::string RegistryNameKey(const std::string &name);

// UTF-8 to UTF-16LE and back. Unpaired surrogates survive the round trip
// (written as three-byte sequences); bytes that are no UTF-8 become U+FFFD.
std::string Utf16LeFromUtf8(const std::string &utf8);
std::string Utf8FromUtf16Le(const std::string &bytes);
// A registry string: `text` as UTF-16LE with a terminating zero.
std::string RegistryStringBytes(const std::string &text);
// The text of a registry string whose bytes are exactly what
// RegistryStringBytes makes of it; false for any other bytes.
bool RegistryStringText(const std::string &bytes, std::string *text);
