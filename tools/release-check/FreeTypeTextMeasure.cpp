#include "tools/release-check/FreeTypeTextMeasure.h"

#include "tools/release-check/AnsiText.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <vector>

struct FreeTypeTextMeasure::Face {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Face() {
    if (face != nullptr)
      FT_Done_Face(face);
    if (library != nullptr)
      FT_Done_FreeType(library);
  }
};

namespace {
struct Metrics {
  int lineHeight = 0;
  int tabWidth = 0;
};

int RoundedPixels(FT_Pos value) {
  return static_cast<int>((value + 32) >> 6);
}

Metrics SetSize(FT_Face face, int fontHeight) {
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(fontHeight));
  Metrics metrics;
  const FT_Fixed yScale = face->size->metrics.y_scale;
  const FT_Fixed xScale = face->size->metrics.x_scale;
  if (auto *os2 = static_cast<TT_OS2 *>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
    metrics.lineHeight = RoundedPixels(FT_MulFix(os2->usWinAscent, yScale)) +
                         RoundedPixels(FT_MulFix(os2->usWinDescent, yScale));
    metrics.tabWidth = 8 * RoundedPixels(FT_MulFix(os2->xAvgCharWidth, xScale));
  } else {
    metrics.lineHeight = static_cast<int>(face->size->metrics.height >> 6);
    metrics.tabWidth = 8 * fontHeight / 2;
  }
  return metrics;
}

int Advance(FT_Face face, unsigned char byte) {
  const FT_UInt glyph = FT_Get_Char_Index(face, AnsiToCodePoint(byte));
  if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0)
    return 0;
  return static_cast<int>((face->glyph->metrics.horiAdvance + 63) >> 6);
}

// Width of text[from, to) on one line, tabs expanded.
int Width(FT_Face face, const Metrics &metrics, const std::string &text, size_t from, size_t to) {
  int x = 0;
  for (size_t i = from; i < to; ++i) {
    if (text[i] == '\t' && metrics.tabWidth > 0)
      x = (x / metrics.tabWidth + 1) * metrics.tabWidth;
    else
      x += Advance(face, static_cast<unsigned char>(text[i]));
  }
  return x;
}

// The lines DrawText draws: a line feed (or CR) starts a new one.
std::vector<std::pair<size_t, size_t>> HardLines(const std::string &text) {
  std::vector<std::pair<size_t, size_t>> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
      lines.emplace_back(start, i);
      if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
        ++i;
      start = i + 1;
    }
  }
  return lines;
}
} // namespace

std::unique_ptr<FreeTypeTextMeasure> FreeTypeTextMeasure::Load(const std::string &fontFile,
                                                               std::string *problem) {
  auto face = std::make_unique<Face>();
  if (FT_Init_FreeType(&face->library) != 0) {
    *problem = "FreeType cannot start";
    return nullptr;
  }
  if (FT_New_Face(face->library, fontFile.c_str(), 0, &face->face) != 0) {
    *problem = "cannot load the font " + fontFile;
    return nullptr;
  }
  return std::unique_ptr<FreeTypeTextMeasure>(new FreeTypeTextMeasure(std::move(face)));
}

FreeTypeTextMeasure::FreeTypeTextMeasure(std::unique_ptr<Face> face) : face_(std::move(face)) {}
FreeTypeTextMeasure::~FreeTypeTextMeasure() = default;

TextExtent FreeTypeTextMeasure::Line(int fontHeight, const std::string &text) {
  const Metrics metrics = SetSize(face_->face, fontHeight);
  TextExtent extent;
  for (const auto &[from, to] : HardLines(text)) {
    extent.width = std::max(extent.width, Width(face_->face, metrics, text, from, to));
    extent.height += metrics.lineHeight;
  }
  return extent;
}

TextExtent FreeTypeTextMeasure::Wrapped(int fontHeight, const std::string &text, int width) {
  const Metrics metrics = SetSize(face_->face, fontHeight);
  FT_Face face = face_->face;
  TextExtent extent;
  for (const auto &[from, to] : HardLines(text)) {
    size_t start = from;
    do {
      // Words (with the blanks before them) while they fit; a word wider
      // than the line stands alone on it, whole.
      size_t end = start;
      int lineWidth = 0;
      while (end < to) {
        size_t next = end;
        while (next < to && text[next] == ' ')
          ++next;
        while (next < to && text[next] != ' ')
          ++next;
        const int w = Width(face, metrics, text, start, next);
        if (w > width && end > start)
          break;
        end = next;
        lineWidth = w;
      }
      // DrawText counts the blank a line breaks at into the line's width,
      // when that blank still fits.
      if (end < to && lineWidth <= width) {
        const int withBlank = Width(face, metrics, text, start, end + 1);
        if (withBlank <= width)
          lineWidth = withBlank;
      }
      extent.width = std::max(extent.width, lineWidth);
      extent.height += metrics.lineHeight;
      // The other blanks at a break belong to neither line.
      start = end;
      while (start < to && text[start] == ' ')
        ++start;
    } while (start < to);
  }
  return extent;
}
