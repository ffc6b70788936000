// TextMeasure through GDI: DrawText's own calculation in the label's font,
// with the flags the label draws with.
#pragma once

#include "tools/release-check/TextMeasure.h"

class GdiTextMeasure : public TextMeasure {
public:
  TextExtent Line(int fontHeight, const std::string &text) override;
  TextExtent Wrapped(int fontHeight, const std::string &text, int width) override;
};
