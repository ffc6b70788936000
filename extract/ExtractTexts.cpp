#include "extract/ExtractTexts.h"

#include <cfenv>
#include <cmath>
#include <cstring>

#include "extract/UnrarApi.h"

namespace {
// Codes the tables have no text for still must say that the run failed.
std::string Unexplained(int code) {
  return "Extraction failed (code " + std::to_string(code) + ")";
}
} // namespace

std::string OpenFailureText(int code, const std::string &path) {
  switch (code) {
  case ERAR_NO_MEMORY:
    return "Not enough memory";
  case ERAR_BAD_DATA:
    return "Archive header broken:" + path;
  case ERAR_BAD_ARCHIVE:
    return "Is not RAR archive:" + path;
  case ERAR_EOPEN:
    return "Cannot open " + path;
  case ERAR_MISSING_PASSWORD: // no password is ever asked for
    return "Password required:" + path;
  default:
    return Unexplained(code);
  }
}

std::string ProcessFailureText(int code) {
  switch (code) {
  case ERAR_BAD_DATA:
    return "CRC error";
  case ERAR_BAD_ARCHIVE:
    return "Bad volume";
  case ERAR_UNKNOWN_FORMAT:
    return "Unknown archive format";
  case ERAR_EOPEN:
    return "Volume open error";
  case ERAR_ECREATE:
    return "File create error";
  case ERAR_ECLOSE:
    return "File close error";
  case ERAR_EREAD:
    return "Read error";
  case ERAR_EWRITE:
    return "Write error";
  case ERAR_MISSING_PASSWORD:
    return "Password required";
  default:
    return Unexplained(code);
  }
}

std::string HeaderFailureText(int code) {
  return code == ERAR_BAD_DATA ? "File header broken" : ProcessFailureText(code);
}

std::string ModePrefix(int mode) {
  switch (mode) {
  case 0:
    return "Extracting ";
  case 1:
    return "Testing    ";
  case 2:
    return "Printing   ";
  default:
    return "";
  }
}

std::string EntryName(const char *field, size_t size) {
  size_t end = strnlen(field, size);
  size_t begin = 0;
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (begin < end && blank(field[begin]))
    ++begin;
  while (end > begin && blank(field[end - 1]))
    --end;
  return std::string(field + begin, end - begin);
}

std::string VolumePromptText(const std::string &volume) {
  return "Insert disk " + volume + " and press [Enter] or [Q]";
}

std::string VolumeFileName(const std::string &path) {
  size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

int32_t RoundPercent(long double percent) {
  if (std::isnan(percent))
    return 0;
  if (percent >= 2147483647.0L)
    return INT32_MAX;
  if (percent <= -2147483648.0L)
    return INT32_MIN;
  // The default rounding mode sends halves to the even neighbour.
  return static_cast<int32_t>(std::nearbyint(percent));
}
