// A windowless text label drawn by its form.
#pragma once

#include <string>

#include "runtime/Control.h"
#include "runtime/FontDesign.h"
#include "runtime/Gdi.h"

enum class TAlignment { Left, Center, Right };

// What a label's design may switch on; without any, a label is a visible,
// transparent single line of fixed size.
enum TLabelOption : unsigned {
  loAutoSize = 1u << 0, // size follows the caption
  loWordWrap = 1u << 1,
  loHidden = 1u << 2,
  loOpaque = 1u << 3, // fills its area with the form's colour first
};

// Design-time properties of a label, as a form resource would hold them.
struct TLabelDesign {
  const char *name;
  int left, top, width, height;
  const char *caption;
  TFontDesign font;
  TAlignment alignment = TAlignment::Left;
  unsigned options = 0; // TLabelOption bits
};

class TLabel : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;

  void Apply(const TLabelDesign &design);

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  // An autosized label grows no wider than `width`; a caption that does not
  // fit keeps its start up to its last blank and as much of its end as fits
  // after an ellipsis ("Unpacking > ...part2.rar"). 0 lets it grow freely.
  void SetMaxWidth(int width);
  COLORREF FontColor() const { return font_.color; }
  void SetFontColor(COLORREF color);
  // Said by screen readers after the caption: what the label's colour shows.
  const std::string &AccessibleNote() const { return accessibleNote_; }
  void SetAccessibleNote(const std::string &note) { accessibleNote_ = note; }

  void Paint(HDC dc) override;

private:
  UINT DrawFlags() const;
  std::string FittedCaption(HDC dc) const;
  HFONT FontHandle();
  void AdjustBounds();

  std::string caption_;
  std::string accessibleNote_;
  TFontDesign font_;
  Font fontHandle_;
  TAlignment alignment_ = TAlignment::Left;
  bool autoSize_ = false;
  bool wordWrap_ = false;
  bool transparent_ = true;
  int maxWidth_ = 0;
};
