#include "registry/RegistryValue.h"

#include "folders/FolderPath.h"

namespace {
struct RootName {
  const char *longName;
  const char *shortName;
};
constexpr RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_CURRENT_USER", "HKCU"},   {"HKEY_CLASSES_ROOT", "HKCR"},
    {"HKEY_USERS", "HKU"},          {"HKEY_CURRENT_CONFIG", "HKCC"},
};

void AppendUtf8(std::string &out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendUnit(std::string &out, uint32_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// The code point at `i` of `text`, moving `i` past it; U+FFFD for a byte
// that starts no complete sequence.
uint32_t NextCodePoint(const std::string &text, size_t &i) {
  const unsigned char lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80)
    return lead;
  const size_t length = lead >= 0xF5   ? 0
                        : lead >= 0xF0 ? 3
                        : lead >= 0xE0 ? 2
                        : lead >= 0xC2 ? 1
                                       : 0;
  if (length == 0 || text.size() - i < length)
    return 0xFFFD;
  uint32_t code = lead & (0x3F >> length);
  for (size_t k = 0; k < length; ++k) {
    const unsigned char next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80)
      return 0xFFFD;
    code = code << 6 | (next & 0x3F);
  }
  static constexpr uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF)
    return 0xFFFD; // an overlong form or past the last plane
  i += length;
  return code;
}
} // namespace

std::string CanonicalKeyPath(const std::string &path) {
  std::string rest = path;
  if (!rest.empty() && rest.back() == '\\')
    rest.pop_back();
  const size_t slash = rest.find('\\');
  const std::string root = RegistryNameKey(rest.substr(0, slash));
  rest = slash == std::string::npos ? "" : rest.substr(slash);
  if (!rest.empty() && (rest.back() == '\\' || rest.find("\\\\") != std::string::npos))
    return ""; // an empty key name
  for (const RootName &name : kRoots)
    if (root == name.longName || root == name.shortName)
      return name.longName + rest;
  return "";
}

size_t KeyDepth(const std::string &key) {
  size_t depth = 0;
  for (char c : key)
    depth += c == '\\';
  return depth;
}

std::string RegistryNameKey(const std::string &name) {
  return AsciiCase(name, false, [](unsigned char) { return false; });
}

std::string Utf16LeFromUtf8(const std::string &utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const uint32_t code = NextCodePoint(utf8, i);
    if (code >= 0x10000) {
      AppendUnit(out, 0xD800 | (code - 0x10000) >> 10);
      AppendUnit(out, 0xDC00 | (code & 0x3FF));
    } else {
      AppendUnit(out, code);
    }
  }
  return out;
}

std::string Utf8FromUtf16Le(const std::string &bytes) {
  std::string out;
  auto unit = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
      const uint32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::string RegistryStringBytes(const std::string &text) {
  return Utf16LeFromUtf8(text) + std::string(2, '\0');
}

bool RegistryStringText(const std::string &bytes, std::string *text) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0)
    return false;
  *text = Utf8FromUtf16Le(bytes.substr(0, bytes.size() - 2));
  return RegistryStringBytes(*text) == bytes;
}
