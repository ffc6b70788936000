#include "runtime/OemText.h"

#include <algorithm>
#include <vector>

#include "runtime/Gdi.h"

namespace {
// Fixed-pitch faces with box and block glyphs: those of Windows first, then
// those a Wine installation usually finds on the host.
const char *const kFaces[] = {"Lucida Console", "Consolas", "DejaVu Sans Mono", "Liberation Mono",
                              "Courier New"};

HFONT CreateFace(const char *face, int height) {
  LOGFONTA lf{};
  lf.lfHeight = -height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  // Crisp cells: art made of blocks must not blur at the edges.
  lf.lfQuality = NONANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

// How many of the upper-half characters the face draws; -1 when the
// platform substituted another face for it.
int Coverage(HDC dc, const char *face) {
  Font font(CreateFace(face, 12));
  Selection select(dc, font.Get());
  char actual[LF_FACESIZE] = "";
  GetTextFaceA(dc, sizeof actual, actual);
  if (lstrcmpiA(actual, face) != 0)
    return -1;
  std::string upper;
  for (int byte = 0xB0; byte <= 0xDF; ++byte)
    upper += static_cast<char>(byte);
  WideString wide = OemToWide(upper, true);
  std::vector<WORD> indices(wide.size());
  if (GetGlyphIndicesW(dc, wide.c_str(), static_cast<int>(wide.size()), indices.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return 0;
  return static_cast<int>(
      std::count_if(indices.begin(), indices.end(), [](WORD index) { return index != 0xFFFF; }));
}

const std::string &ChosenFace() {
  static const std::string face = [] {
    WindowDC screen(nullptr);
    const char *best = kFaces[std::size(kFaces) - 1];
    int bestCoverage = 0;
    for (const char *face : kFaces) {
      int coverage = Coverage(screen.Get(), face);
      if (coverage > bestCoverage) {
        best = face;
        bestCoverage = coverage;
      }
      if (coverage == 0xDF - 0xB0 + 1)
        break;
    }
    return std::string(best);
  }();
  return face;
}
} // namespace

WideString OemToWide(std::string_view text, bool glyphs) {
  WideString wide;
  if (text.empty())
    return wide;
  // A single-byte code page gives one UTF-16 unit per byte; a double-byte
  // one gives at most as many.
  wide.resize(text.size());
  int length =
      MultiByteToWideChar(CP_OEMCP, glyphs ? MB_USEGLYPHCHARS : 0, text.data(),
                          static_cast<int>(text.size()), &wide[0], static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  if (glyphs)
    std::replace(wide.begin(), wide.end(), L'\0', L' ');
  return wide;
}

HFONT CreateOemDisplayFont(int height) {
  return CreateFace(ChosenFace().c_str(), height);
}

std::string OemDisplayFace() {
  return ChosenFace();
}
