// Whether the values of install.ini fit the splash window's fixed-size
// labels: a title, sub-title or file name wider than its label is cut off at
// both ends; notes taller than their label lose their end.
#pragma once

#include "shell/SplashLayout.h"
#include "tools/release-check/Findings.h"
#include "tools/release-check/IniCheck.h"
#include "tools/release-check/TextMeasure.h"

// A fixed-size label of the splash window that shows a line of install.ini,
// in Arial bold.
struct SplashLabel {
  int line;
  const SplashLabelBox &box;
  bool wordWrap;
};

// Label1, Label2, Label5, Label6 and Label11, as the splash window lays them out.
extern const SplashLabel kSplashLabels[5];

// `slack`: pixels a measured width or height may exceed the label by before
// the finding is made (negative: warn before the edge, where the measure may
// be a little off).
void CheckLabelFit(const ReleaseIni &ini, TextMeasure &measure, int slack, Findings &findings);
