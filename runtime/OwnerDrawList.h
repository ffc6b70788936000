// Base of list and combo boxes that draw their items themselves at a fixed
// height: answers the platform's measure and draw requests, which the form
// reflects here, and hands the control's other notifications on.
#pragma once

#include "runtime/Control.h"

class TOwnerDrawList : public TWinControl {
public:
  using TWinControl::TWinControl;

  int ItemHeight() const { return itemHeight_; }

protected:
  virtual void DrawItem(const DRAWITEMSTRUCT &item) = 0;
  // Reflected messages other than measuring and drawing; true when handled.
  virtual bool ItemNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) override;

  int itemHeight_ = 16;
};
