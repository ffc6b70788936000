#include "shell/ClosingDialog.h"

TForm6 *Form6 = nullptr;

namespace {
const TFormDesign kDesign = {253,     123, GetSysColor(COLOR_BTNFACE), TBorderStyle::None,
                             "Form6", true};
} // namespace

TForm6::TForm6() : TForm("TForm6", kDesign) {}
