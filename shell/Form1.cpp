#include "shell/Form1.h"

#include "release/InstallIni.h"
#include "runtime/DesignRows.h"
#include "shell/AllForms.h"
#include "shell/Skin.h"
#include "shell/SplashLayout.h"

TForm1 *Form1 = nullptr;

namespace {
using skin::Arial;
using skin::kBlack;
using skin::kWhite;

const TFormDesign kDesign = {402, 422, kBlack, TBorderStyle::None, "Installer", true};

const TImageDesign kImage1 = {"Image1", 1, 1, 451, 427, "SPLASH"};

// A label of the splash layout, in Arial bold of the layout's height.
TLabelDesign Placed(const SplashLabelBox &box, const char *caption, COLORREF colour,
                    TAlignment alignment, unsigned options = 0) {
  return {
      box.name,  box.left, box.top, box.width, box.height, caption, Arial(box.fontHeight, colour),
      alignment, options};
}

// In paint order.
const TLabelRow<TForm1> kLabels[] = {
    {&TForm1::Label1, Placed(splash::Label1, "TITLEMAIN", kBlack, TAlignment::Center)},
    {&TForm1::Label2, Placed(splash::Label2, "TITLESUB", kBlack, TAlignment::Center)},
    {&TForm1::Label3, Placed(splash::Label3, "quit", kWhite, TAlignment::Center, loAutoSize)},
    {&TForm1::Label4, Placed(splash::Label4, "install", kWhite, TAlignment::Center, loAutoSize)},
    {&TForm1::Label5, Placed(splash::Label5, "GROUP.nfo", kWhite, TAlignment::Center)},
    {&TForm1::Label6, Placed(splash::Label6, "file_id.diz", kWhite, TAlignment::Center)},
    {&TForm1::Label7,
     Placed(splash::Label7, "Label7", kBlack, TAlignment::Left, loAutoSize | loHidden)},
    {&TForm1::Label8,
     Placed(splash::Label8, "Label8", kBlack, TAlignment::Left, loAutoSize | loHidden)},
    {&TForm1::Label9,
     Placed(splash::Label9, "Label9", kBlack, TAlignment::Left, loAutoSize | loHidden)},
    {&TForm1::Label10,
     Placed(splash::Label10, "Label10", kBlack, TAlignment::Left, loAutoSize | loHidden)},
    {&TForm1::Label11,
     Placed(splash::Label11, "Installation notes:", kBlack, TAlignment::Left, loWordWrap)},
    {&TForm1::Label12, Placed(splash::Label12, " ", kBlack, TAlignment::Center)},
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
  Keyboard().SetDesign(TKeyboardDesign()
                           .Commands({&Label4, &Label5, &Label6, &Label3})
                           .Arrows(TArrowKeys::UpDown)
                           .AltF4(&Label3)
                           .Background(&Image1));
  Accessible().SetDesign({nullptr, &Label1, {&Label1, &Label2, &Label11, &Label12}});
}

// install.ini in the start-up folder. A line that cannot be read ends the
// handler with the lines before it shown and the rest as designed (the
// release's design values are the captions above).
void TForm1::FormCreate() {
  InstallIni release;
  try {
    ReadInstallIni(DirectoryListBox1.Directory(), release);
  } catch (...) {
    ShowRelease(release);
    throw;
  }
  ShowRelease(release);
  MediaPlayer1.Play();
}

void TForm1::ShowRelease(const InstallIni &release) {
  Label1.SetCaption(release.title);
  Label2.SetCaption(release.subtitle);
  Label5.SetCaption(release.releaseNotesFile);
  Label6.SetCaption(release.descriptionFile);
  Label7.SetCaption(release.newFolderName);
  Label8.SetCaption(release.archivePath);
  Label9.SetCaption(release.archiveFolder);
  Label10.SetCaption(release.requiredMegabytes);
  Edit1.SetText(release.registryFile);
  Label11.SetCaption(release.installNotes);
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
