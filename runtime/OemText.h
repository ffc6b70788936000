// Text in the OEM code page drawn with a TrueType face. The bytes are turned
// into UTF-16 through the system's OEM code page, so the shading, block and
// line-drawing characters show as such even where no OEM raster font exists.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "runtime/WideString.h"

// `glyphs`: control bytes become the code page's picture characters (as on
// a text screen) and zero bytes blanks; without it they stay control codes.
WideString OemToWide(std::string_view text, bool glyphs);

// A fixed-pitch font `height` pixels high whose face has the glyphs of the
// OEM code page's upper half; the first such face of a fallback list. The
// caller owns the font.
HFONT CreateOemDisplayFont(int height);
// The face CreateOemDisplayFont picked.
std::string OemDisplayFace();
