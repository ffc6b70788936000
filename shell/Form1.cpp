#include "shell/Form1.h"

#include "runtime/DesignRows.h"
#include "shell/Forms.h"
#include "shell/InstallIni.h"
#include "shell/Skin.h"

TForm1 *Form1 = nullptr;

namespace {
using skin::Arial;
using skin::kBlack;
using skin::kWhite;

const TFormDesign kDesign = {402, 422, kBlack, TBorderStyle::None, "Installer", true};

const TImageDesign kImage1 = {"Image1", 1, 1, 451, 427, "SPLASH"};

// In paint order.
const TLabelRow<TForm1> kLabels[] = {
    {&TForm1::Label1,
     {"Label1", 15, 140, 372, 23, "TITLEMAIN", Arial(16, kBlack), TAlignment::Center}},
    {&TForm1::Label2,
     {"Label2", 15, 166, 372, 17, "TITLESUB", Arial(12, kBlack), TAlignment::Center}},
    {&TForm1::Label3,
     {"Label3", 40, 395, 24, 16, "quit", Arial(13, kWhite), TAlignment::Center, loAutoSize}},
    {&TForm1::Label4,
     {"Label4", 33, 296, 38, 16, "install", Arial(13, kWhite), TAlignment::Center, loAutoSize}},
    {&TForm1::Label5,
     {"Label5", 13, 331, 80, 16, "GROUP.nfo", Arial(11, kWhite), TAlignment::Center}},
    {&TForm1::Label6,
     {"Label6", 27, 363, 52, 14, "file_id.diz", Arial(11, kWhite), TAlignment::Center}},
    {&TForm1::Label7,
     {"Label7", 0, 0, 40, 13, "Label7", Arial(11, kBlack), TAlignment::Left,
      loAutoSize | loHidden}},
    {&TForm1::Label8,
     {"Label8", 0, 0, 40, 13, "Label8", Arial(11, kBlack), TAlignment::Left,
      loAutoSize | loHidden}},
    {&TForm1::Label9,
     {"Label9", 0, 0, 40, 13, "Label9", Arial(11, kBlack), TAlignment::Left,
      loAutoSize | loHidden}},
    {&TForm1::Label10,
     {"Label10", 0, 0, 46, 13, "Label10", Arial(11, kBlack), TAlignment::Left,
      loAutoSize | loHidden}},
    {&TForm1::Label11,
     {"Label11", 113, 329, 285, 70, "Installation notes:", Arial(11, kBlack), TAlignment::Left,
      loWordWrap}},
    {&TForm1::Label12, {"Label12", 106, 405, 191, 14, " ", Arial(11, kBlack), TAlignment::Center}},
};

// The four command labels: silver with their hint in the status line under
// the pointer (Label3MouseMove ... Label6MouseMove), red while pressed
// (Label3MouseDown ... Label6MouseDown), and their click handler.
struct TCommandRow {
  TLabel TForm1::*label;
  const char *status;
  void (TForm1::*click)();
};
const TCommandRow kCommands[] = {
    {&TForm1::Label4, "begin installation!", &TForm1::Label4Click},
    {&TForm1::Label5, "this button displays the .NFO file!", &TForm1::Label5Click},
    {&TForm1::Label6, "this will display the .DIZ file!", &TForm1::Label6Click},
    {&TForm1::Label3, "back to system!", &TForm1::Label3Click},
};
} // namespace

TForm1::TForm1() : TForm("TForm1", kDesign) {
  Image1.Apply(kImage1);
  ApplyDesign(*this, kLabels);
  DirectoryListBox1.SetName("DirectoryListBox1");
  DirectoryListBox1.SetVisible(false);
  Edit1.SetName("Edit1");
  Edit1.SetVisible(false);
  Edit1.SetText("Edit1");
  MediaPlayer1.SetName("MediaPlayer1");
  MediaPlayer1.SetFileName("install.mid");
  MediaPlayer1.SetAutoOpen(true);

  Image1.OnMouseMove = [this](const TMouseEvent &e) { Image1MouseMove(e); };
  for (const TCommandRow &command : kCommands) {
    TLabel &label = this->*command.label;
    label.OnMouseMove = [this, &label, status = command.status](const TMouseEvent &) {
      skin_.Hover(label);
      Label12.SetCaption(status);
    };
    label.OnMouseDown = [this, &label](const TMouseEvent &) { skin_.Press(label); };
    label.OnClick = [this, click = command.click] { (this->*click)(); };
  }
  // A focused command looks as under the pointer, status line included.
  Keyboard().SetDesign({{&Label4, &Label5, &Label6, &Label3},
                        TArrowKeys::UpDown,
                        nullptr,
                        &Label3,
                        nullptr,
                        &Image1});
  Accessible().SetDesign({nullptr, &Label1, {&Label1, &Label2, &Label11, &Label12}});
}

void TForm1::FormCreate() {
  ReadInstallIni(*this);
  MediaPlayer1.Play();
}

void TForm1::Image1MouseMove(const TMouseEvent &) {
  skin_.Rest();
  Label12.SetCaption(" ");
}

// The first showing of the folder dialog runs its free-space update, which
// can fail on the required space. The dialog then goes away again and this
// window stays enabled; a later click shows the dialog, whose windows exist
// by then, without that update.
void TForm1::Label4Click() {
  try {
    Form2->SetVisible(true);
  } catch (...) {
    Form2->Hide();
    throw;
  }
  Form2->Label8.SetCaption(Label10.Caption() + " Mb.");
  SetEnabled(false);
}

// The closing dialog takes over; its cancel enables this window again.
void TForm1::Label3Click() {
  SetEnabled(false);
  Form6->Show();
}

// The viewer is independent: this window stays enabled beside it.
void TForm1::Label5Click() {
  Form5->ShowTextFile(Label9.Caption(), Label5.Caption());
}

void TForm1::Label6Click() {
  Form5->ShowTextFile(Label9.Caption(), Label6.Caption());
}
