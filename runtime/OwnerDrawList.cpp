#include "runtime/OwnerDrawList.h"

bool TOwnerDrawList::ItemNotification(UINT, WPARAM, LPARAM, LRESULT *) {
  return false;
}

bool TOwnerDrawList::Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) {
  switch (message) {
  case WM_MEASUREITEM:
    // Asked while the window is being created: the height is known by then.
    reinterpret_cast<MEASUREITEMSTRUCT *>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
    *result = TRUE;
    return true;
  case WM_DRAWITEM:
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    *result = TRUE;
    return true;
  default:
    return ItemNotification(message, wParam, lParam, result);
  }
}
