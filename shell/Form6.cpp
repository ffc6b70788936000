#include "shell/Form6.h"

#include "runtime/DesignRows.h"
#include "shell/AllForms.h"
#include "shell/Skin.h"

TForm6 *Form6 = nullptr;

namespace {
using skin::Arial;
using skin::kBlack;
using skin::kGrey;

const TFormDesign kDesign = {253,     123, GetSysColor(COLOR_BTNFACE), TBorderStyle::None,
                             "Form6", true};

const TImageDesign kImage1 = {"Image1", 2, 1, 251, 122, "CLOSING"};

// In paint order. The window does not exist yet when these apply, so the
// sizes hold the whole caption; the credit lines get room to spare.
const TLabelRow<TForm6> kLabels[] = {
    {&TForm6::Label2,
     {"Label2", 70, 65, 150, 16, "Code / Gfx : [kWz]", Arial(13, kBlack), TAlignment::Left,
      loAutoSize}},
    {&TForm6::Label4,
     {"Label4", 37, 102, 26, 14, "[  ok", Arial(11, kGrey), TAlignment::Left, loAutoSize}},
    {&TForm6::Label5,
     {"Label5", 28, 42, 215, 16, "all ZEFRA and TaVRO members", Arial(13, kBlack), TAlignment::Left,
      loAutoSize}},
    {&TForm6::Label1,
     {"Label1", 175, 101, 42, 14, "cancel ]", Arial(11, kGrey), TAlignment::Left, loAutoSize}},
};
} // namespace

TForm6::TForm6() : TForm("TForm6", kDesign) {
  Image1.Apply(kImage1);
  ApplyDesign(*this, kLabels);

  Image1.OnMouseMove = [this](const TMouseEvent &e) { Image1MouseMove(e); };
  Label4.OnMouseMove = [this](const TMouseEvent &e) { Label4MouseMove(e); };
  Label4.OnMouseDown = [this](const TMouseEvent &e) { Label4MouseDown(e); };
  Label4.OnClick = [this] { Label4Click(); };
  Label1.OnMouseMove = [this](const TMouseEvent &e) { Label1MouseMove(e); };
  Label1.OnMouseDown = [this](const TMouseEvent &e) { Label1MouseDown(e); };
  Label1.OnClick = [this] { Label1Click(); };
  Keyboard().SetDesign(TKeyboardDesign()
                           .Commands({&Label4, &Label1})
                           .Arrows(TArrowKeys::LeftRight)
                           .Escape(&Label1)
                           .AltF4(&Label1)
                           .Background(&Image1));
  // The heading is drawn in the picture.
  Accessible().SetDesign({"Greetings", nullptr, {&Label5, &Label2}});
}

void TForm6::Image1MouseMove(const TMouseEvent &) {
  skin_.Rest();
}

void TForm6::Label4MouseMove(const TMouseEvent &) {
  skin_.Hover(Label4);
}

void TForm6::Label4MouseDown(const TMouseEvent &) {
  skin_.Press(Label4);
}

void TForm6::Label4Click() {
  // Closing the main window ends the program; every window goes with it.
  Form1->Close();
}

void TForm6::Label1MouseMove(const TMouseEvent &) {
  skin_.Hover(Label1);
}

void TForm6::Label1MouseDown(const TMouseEvent &) {
  skin_.Press(Label1);
}

void TForm6::Label1Click() {
  Hide();
  Form1->SetEnabled(true);
  Form1->Show();
}
