#include "runtime/FontDesign.h"

HFONT CreateDesignFont(const TFontDesign &design) {
  LOGFONTA lf{};
  lf.lfHeight = -design.height;
  lf.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = design.charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, design.face, LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}
