#include "tools/release-check/LabelFit.h"

#include <algorithm>

// Kept equal to the splash window's design by ReleaseCheckLabelTest.
const SplashLabel kSplashLabels[5] = {
    {1, "Label1", 372, 23, 16, false}, {2, "Label2", 372, 17, 12, false},
    {3, "Label5", 80, 16, 11, false},  {4, "Label6", 52, 14, 11, false},
    {9, "Label11", 285, 70, 11, true},
};

namespace {
std::string Px(int pixels) {
  return std::to_string(pixels) + (pixels == 1 ? " pixel" : " pixels");
}

std::string Font(const SplashLabel &label) {
  return "Arial bold " + std::to_string(label.fontHeight);
}
} // namespace

void CheckLabelFit(const ReleaseIni &ini, TextMeasure &measure, int slack, Findings &findings) {
  for (const SplashLabel &label : kSplashLabels) {
    const std::string &value = ini.lines[label.line - 1];
    const std::string what = std::string("the ") + IniLineMeaning(label.line);
    // A value with a line feed in it is an error of its own already.
    if (value.find('\n') != std::string::npos)
      continue;
    if (!label.wordWrap) {
      const TextExtent extent = measure.Line(label.fontHeight, value);
      if (extent.width > label.width + slack)
        findings.Warning(label.line, what + " \"" + value + "\" is " + Px(extent.width) +
                                         " wide in " + Font(label) + "; its label (" + label.name +
                                         ") is " + Px(label.width) +
                                         " wide, so it is cut off at both ends");
      continue;
    }
    const TextExtent extent = measure.Wrapped(label.fontHeight, value, label.width);
    if (extent.height > label.height + slack)
      findings.Warning(label.line, what + " wrap to " + Px(extent.height) + " in " + Font(label) +
                                       "; their label (" + label.name + ") is " + Px(label.height) +
                                       " high, so the end is cut off");
    // A word wider than the label stands on a line of its own, cut off.
    int widest = 0;
    std::string word;
    for (size_t i = 0; i <= value.size(); ++i) {
      if (i < value.size() && value[i] != ' ') {
        word += value[i];
        continue;
      }
      widest = std::max(widest, measure.Line(label.fontHeight, word).width);
      word.clear();
    }
    if (widest > label.width + slack)
      findings.Warning(label.line, what + " hold a word " + Px(widest) + " wide; their label (" +
                                       label.name + ") is " + Px(label.width) +
                                       " wide, so it is cut off");
  }
}
