#include "shell/TextViewer.h"

TForm5 *Form5 = nullptr;

namespace {
const TFormDesign kDesign = {652, 330, RGB(199, 185, 169), TBorderStyle::ToolWindow, "Form5", true};
} // namespace

TForm5::TForm5() : TForm("TForm5", kDesign) {}
