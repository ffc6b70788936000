// The look of command labels, shared by every skinned form: a rest colour,
// silver under the pointer, red while a button is pressed on the label.
#pragma once

#include <initializer_list>
#include <vector>

#include <windows.h>

class TLabel;

class CommandSkin {
public:
  static constexpr COLORREF kHover = RGB(0xC0, 0xC0, 0xC0);
  static constexpr COLORREF kPressed = RGB(0xFF, 0x00, 0x00);

  CommandSkin(COLORREF rest, std::initializer_list<TLabel *> labels);

  void Hover(TLabel &label) const;
  void Press(TLabel &label) const;
  // Every command label back to its rest colour (pointer over the background).
  void Rest() const;

private:
  COLORREF rest_;
  std::vector<TLabel *> labels_;
};
