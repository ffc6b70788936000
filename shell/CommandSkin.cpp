#include "shell/CommandSkin.h"

#include "runtime/Label.h"

CommandSkin::CommandSkin(COLORREF rest, std::initializer_list<TLabel *> labels)
    : rest_(rest), labels_(labels) {}

void CommandSkin::Hover(TLabel &label) const {
  label.SetFontColor(kHover);
}

void CommandSkin::Press(TLabel &label) const {
  label.SetFontColor(kPressed);
}

void CommandSkin::Rest() const {
  for (TLabel *label : labels_)
    label->SetFontColor(rest_);
}
