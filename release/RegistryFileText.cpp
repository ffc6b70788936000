#include "release/RegistryFileText.h"

std::string RegistryFileText(const std::string &bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::string out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      const unsigned unit =
          static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
      out += unit < 0x100 ? static_cast<char>(unit) : '?';
    }
    return out;
  }
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
    return bytes.substr(3);
  return bytes;
}

std::string RegistryHeader(const std::string &text) {
  const size_t start = text.find_first_not_of("\r\n");
  if (start == std::string::npos)
    return "";
  return text.substr(start, text.find_first_of("\r\n", start) - start);
}

bool HasRegistryHeader(const std::string &text) {
  const std::string header = RegistryHeader(text);
  return header == kRegedit4Header || header == kRegedit5Header;
}
