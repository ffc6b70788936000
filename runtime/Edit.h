// A single-line edit box. Its text is kept while it has no window.
#pragma once

#include <string>

#include "runtime/Control.h"

class TEdit : public TWinControl {
public:
  using TWinControl::TWinControl;

  std::string Text() const;
  void SetText(const std::string &text);

protected:
  void GetCreateParams(CreateParams &params) override;

private:
  std::string text_;
};
