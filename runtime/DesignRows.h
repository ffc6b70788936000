// A form's design as one row per control: the control's member and its
// design properties, applied in table order (the order is the paint order).
#pragma once

#include <cstddef>

#include "runtime/Label.h"

template <class Form, class Control, class Design> struct TDesignRow {
  Control Form::*control;
  Design design;
};

template <class Form> using TLabelRow = TDesignRow<Form, TLabel, TLabelDesign>;

template <class Form, class Control, class Design, std::size_t N>
void ApplyDesign(Form &form, const TDesignRow<Form, Control, Design> (&rows)[N]) {
  for (const auto &row : rows)
    (form.*row.control).Apply(row.design);
}
