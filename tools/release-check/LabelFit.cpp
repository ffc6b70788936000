#include "tools/release-check/LabelFit.h"

#include <algorithm>

const SplashLabel kSplashLabels[5] = {
    {1, splash::Label1, false}, {2, splash::Label2, false}, {3, splash::Label5, false},
    {4, splash::Label6, false}, {9, splash::Label11, true},
};

namespace {
std::string Px(int pixels) {
  return std::to_string(pixels) + (pixels == 1 ? " pixel" : " pixels");
}

std::string Font(const SplashLabel &label) {
  return "Arial bold " + std::to_string(label.box.fontHeight);
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
      const TextExtent extent = measure.Line(label.box.fontHeight, value);
      if (extent.width > label.box.width + slack)
        findings.Warning(label.line, what + " \"" + value + "\" is " + Px(extent.width) +
                                         " wide in " + Font(label) + "; its label (" +
                                         label.box.name + ") is " + Px(label.box.width) +
                                         " wide, so it is cut off at both ends");
      continue;
    }
    const TextExtent extent = measure.Wrapped(label.box.fontHeight, value, label.box.width);
    if (extent.height > label.box.height + slack)
      findings.Warning(label.line, what + " wrap to " + Px(extent.height) + " in " + Font(label) +
                                       "; their label (" + label.box.name + ") is " +
                                       Px(label.box.height) + " high, so the end is cut off");
    // A word wider than the label stands on a line of its own, cut off.
    int widest = 0;
    std::string word;
    for (size_t i = 0; i <= value.size(); ++i) {
      if (i < value.size() && value[i] != ' ') {
        word += value[i];
        continue;
      }
      widest = std::max(widest, measure.Line(label.box.fontHeight, word).width);
      word.clear();
    }
    if (widest > label.box.width + slack)
      findings.Warning(label.line, what + " hold a word " + Px(widest) + " wide; their label (" +
                                       label.box.name + ") is " + Px(label.box.width) +
                                       " wide, so it is cut off");
  }
}
