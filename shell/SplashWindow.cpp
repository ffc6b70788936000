#include "shell/SplashWindow.h"

#include "folders/FolderDialog.h"
#include "shell/ClosingDialog.h"
#include "shell/InstallIni.h"
#include "shell/Skin.h"
#include "shell/TextViewer.h"

TForm1 *Form1 = nullptr;

namespace {
using skin::Arial;
using skin::kBlack;
using skin::kWhite;

const TFormDesign kDesign = {402, 422, kBlack, TBorderStyle::None, "Installer", true};

const TImageDesign kImage1 = {"Image1", 1, 1, 451, 427, "SPLASH"};

// name, left, top, width, height, caption, font, alignment, autoSize, wordWrap, visible
const TLabelDesign kLabels[] = {
    {"Label1", 15, 140, 372, 23, "TITLEMAIN", Arial(16, kBlack), TAlignment::Center},
    {"Label2", 15, 166, 372, 17, "TITLESUB", Arial(12, kBlack), TAlignment::Center},
    {"Label3", 40, 395, 24, 16, "quit", Arial(13, kWhite), TAlignment::Center, true},
    {"Label4", 33, 296, 38, 16, "install", Arial(13, kWhite), TAlignment::Center, true},
    {"Label5", 13, 331, 80, 16, "GROUP.nfo", Arial(11, kWhite), TAlignment::Center},
    {"Label6", 27, 363, 52, 14, "file_id.diz", Arial(11, kWhite), TAlignment::Center},
    {"Label7", 0, 0, 40, 13, "Label7", Arial(11, kBlack), TAlignment::Left, true, false, false},
    {"Label8", 0, 0, 40, 13, "Label8", Arial(11, kBlack), TAlignment::Left, true, false, false},
    {"Label9", 0, 0, 40, 13, "Label9", Arial(11, kBlack), TAlignment::Left, true, false, false},
    {"Label10", 0, 0, 46, 13, "Label10", Arial(11, kBlack), TAlignment::Left, true, false, false},
    {"Label11", 113, 329, 285, 70, "Installation notes:", Arial(11, kBlack), TAlignment::Left,
     false, true},
    {"Label12", 106, 405, 191, 14, " ", Arial(11, kBlack), TAlignment::Center},
};
} // namespace

TForm1::TForm1() : TForm("TForm1", kDesign) {
  Image1.Apply(kImage1);
  TLabel *labels[] = {&Label1, &Label2, &Label3, &Label4,  &Label5,  &Label6,
                      &Label7, &Label8, &Label9, &Label10, &Label11, &Label12};
  for (size_t i = 0; i < std::size(labels); ++i)
    labels[i]->Apply(kLabels[i]);
  DirectoryListBox1.SetName("DirectoryListBox1");
  DirectoryListBox1.SetVisible(false);
  Edit1.SetName("Edit1");
  Edit1.SetVisible(false);
  Edit1.SetText("Edit1");
  MediaPlayer1.SetName("MediaPlayer1");
  MediaPlayer1.SetFileName("install.mid");
  MediaPlayer1.SetAutoOpen(true);

  Image1.OnMouseMove = [this](const TMouseEvent &e) { Image1MouseMove(e); };
  Label3.OnMouseMove = [this](const TMouseEvent &e) { Label3MouseMove(e); };
  Label4.OnMouseMove = [this](const TMouseEvent &e) { Label4MouseMove(e); };
  Label5.OnMouseMove = [this](const TMouseEvent &e) { Label5MouseMove(e); };
  Label6.OnMouseMove = [this](const TMouseEvent &e) { Label6MouseMove(e); };
  Label3.OnMouseDown = [this](const TMouseEvent &e) { Label3MouseDown(e); };
  Label4.OnMouseDown = [this](const TMouseEvent &e) { Label4MouseDown(e); };
  Label5.OnMouseDown = [this](const TMouseEvent &e) { Label5MouseDown(e); };
  Label6.OnMouseDown = [this](const TMouseEvent &e) { Label6MouseDown(e); };
  Label3.OnClick = [this] { Label3Click(); };
  Label4.OnClick = [this] { Label4Click(); };
  Label5.OnClick = [this] { Label5Click(); };
  Label6.OnClick = [this] { Label6Click(); };
}

void TForm1::FormCreate() {
  ReadInstallIni(*this);
  MediaPlayer1.Play();
}

void TForm1::Hint(TLabel &label, const char *status) {
  skin_.Hover(label);
  Label12.SetCaption(status);
}

void TForm1::Image1MouseMove(const TMouseEvent &) {
  skin_.Rest();
  Label12.SetCaption(" ");
}

void TForm1::Label4MouseMove(const TMouseEvent &) {
  Hint(Label4, "begin installation!");
}
void TForm1::Label5MouseMove(const TMouseEvent &) {
  Hint(Label5, "this button displays the .NFO file!");
}
void TForm1::Label6MouseMove(const TMouseEvent &) {
  Hint(Label6, "this will display the .DIZ file!");
}
void TForm1::Label3MouseMove(const TMouseEvent &) {
  Hint(Label3, "back to system!");
}

void TForm1::Label3MouseDown(const TMouseEvent &) {
  skin_.Press(Label3);
}
void TForm1::Label4MouseDown(const TMouseEvent &) {
  skin_.Press(Label4);
}
void TForm1::Label5MouseDown(const TMouseEvent &) {
  skin_.Press(Label5);
}
void TForm1::Label6MouseDown(const TMouseEvent &) {
  skin_.Press(Label6);
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
