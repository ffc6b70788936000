#include "folders/FolderDialog.h"

TForm2 *Form2 = nullptr;

namespace {
const TFormDesign kDesign = {252, 302, RGB(128, 128, 128), TBorderStyle::None, "Form2", true};
} // namespace

TForm2::TForm2() : TForm("TForm2", kDesign) {}
