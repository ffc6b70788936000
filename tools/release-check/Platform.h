// What each build of release-check takes from its own system.
#pragma once

#include "tools/release-check/TextMeasure.h"

#include <memory>
#include <string>

// The folder as an absolute path in the platform's form.
std::string AbsoluteFolder(const std::string &folder);

// The splash window's text metrics; null with *problem set when the fonts
// cannot be had. *slack: see CheckLabelFit.
std::unique_ptr<TextMeasure> LoadTextMeasure(int *slack, std::string *problem);
