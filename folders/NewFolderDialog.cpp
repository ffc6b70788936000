#include "folders/NewFolderDialog.h"

TForm3 *Form3 = nullptr;

namespace {
const TFormDesign kDesign = {252, 122, RGB(128, 128, 128), TBorderStyle::None, "Form3", true};
} // namespace

TForm3::TForm3() : TForm("TForm3", kDesign) {}
