#include "tools/release-check/Platform.h"
#include "tools/release-check/ReleaseCheck.h"

#include "tools/release-check/FreeTypeTextMeasure.h"
#include "tools/release-check/UnrarLinked.h"

#include <climits>
#include <clocale>
#include <cstdlib>

// Where Debian's fonts-liberation puts the face that Wine serves for Arial bold.
#ifndef RELEASE_CHECK_ARIAL_BOLD
#define RELEASE_CHECK_ARIAL_BOLD "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
#endif

std::string AbsoluteFolder(const std::string &folder) {
  char full[PATH_MAX];
  return realpath(folder.c_str(), full) != nullptr ? std::string(full) : folder;
}

std::unique_ptr<ArchiveLibrary> LoadArchiveLibrary(const ReleaseFolder &, std::string *) {
  // The library turns names into wide ones by the locale; ours are UTF-8.
  std::setlocale(LC_CTYPE, "C.UTF-8");
  return std::make_unique<UnrarLinked>();
}

std::unique_ptr<TextMeasure> LoadTextMeasure(int *slack, std::string *problem) {
  *slack = 0;
  return FreeTypeTextMeasure::Load(RELEASE_CHECK_ARIAL_BOLD, problem);
}
