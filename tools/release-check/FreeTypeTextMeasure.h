// TextMeasure on Linux: the font file that Wine serves for Arial bold
// (Liberation Sans Bold), read with FreeType and sized and hinted the way
// Wine's GDI does it: the character height is the em size in pixels, glyph
// advances are the hinted ones, a line is as high as the font's Windows
// ascent and descent, and wrapping breaks at blanks as DrawText does.
#pragma once

#include "tools/release-check/TextMeasure.h"

#include <memory>
#include <string>

class FreeTypeTextMeasure : public TextMeasure {
public:
  // Null, with *problem set, when the font file cannot be loaded.
  static std::unique_ptr<FreeTypeTextMeasure> Load(const std::string &fontFile,
                                                   std::string *problem);
  ~FreeTypeTextMeasure() override;

  TextExtent Line(int fontHeight, const std::string &text) override;
  TextExtent Wrapped(int fontHeight, const std::string &text, int width) override;

private:
  struct Face;
  explicit FreeTypeTextMeasure(std::unique_ptr<Face> face);

  std::unique_ptr<Face> face_;
};
