#include "extract/ExtractionDialog.h"

TForm4 *Form4 = nullptr;

namespace {
const TFormDesign kDesign = {253, 122, GetSysColor(COLOR_BTNFACE), TBorderStyle::None, "Ready...", true};
} // namespace

TForm4::TForm4() : TForm("TForm4", kDesign) {}
