// Text metrics of the splash window's labels: Arial, bold, at a character
// height in pixels. On Windows from the platform's own text drawing; on
// Linux from the font file that Wine serves for Arial.
#pragma once

#include <string>

struct TextExtent {
  int width = 0;  // widest line
  int height = 0; // all lines
};

class TextMeasure {
public:
  virtual ~TextMeasure() = default;
  // The text (ANSI) on one line, as a label without word wrap draws it.
  virtual TextExtent Line(int fontHeight, const std::string &text) = 0;
  // The text broken at word boundaries to fit `width`, as a label with word
  // wrap draws it.
  virtual TextExtent Wrapped(int fontHeight, const std::string &text, int width) = 0;
};
