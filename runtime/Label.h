// A windowless text label drawn by its form.
#pragma once

#include <string>

#include "runtime/Control.h"
#include "runtime/FontDesign.h"
#include "runtime/Gdi.h"

enum class TAlignment { Left, Center, Right };

// Design-time properties of a label, as a form resource would hold them.
struct TLabelDesign {
  const char *name;
  int left, top, width, height;
  const char *caption;
  TFontDesign font;
  TAlignment alignment = TAlignment::Left;
  bool autoSize = false; // size follows the caption
  bool wordWrap = false;
  bool visible = true;
  bool transparent = true;
};

class TLabel : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;

  void Apply(const TLabelDesign &design);

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  COLORREF FontColor() const { return font_.color; }
  void SetFontColor(COLORREF color);

  void Paint(HDC dc) override;

private:
  UINT DrawFlags() const;
  HFONT FontHandle();
  void AdjustBounds();

  std::string caption_;
  TFontDesign font_;
  Font fontHandle_;
  TAlignment alignment_ = TAlignment::Left;
  bool autoSize_ = false;
  bool wordWrap_ = false;
  bool transparent_ = true;
};
