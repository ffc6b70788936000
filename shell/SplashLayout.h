// Where each label of the splash window sits and how big its font is, as
// constants splash::Label1 ... splash::Label12 (SplashLayout.inc). Portable:
// release-check's Linux build reads it too.
#pragma once

struct SplashLabelBox {
  const char *name;
  int left, top, width, height;
  int fontHeight; // Arial bold
};

namespace splash {
#define SPLASH_LABEL(name, left, top, width, height, fontHeight)                                   \
  constexpr SplashLabelBox name{#name, left, top, width, height, fontHeight};
#include "shell/SplashLayout.inc"
#undef SPLASH_LABEL
} // namespace splash
