#include "shell/Form3.h"

#include <string>

#include "folders/FolderPlatform.h"
#include "runtime/DesignRows.h"
#include "shell/AllForms.h"
#include "shell/Skin.h"

TForm3 *Form3 = nullptr;

namespace {
const TFormDesign kDesign = {252, 122, RGB(128, 128, 128), TBorderStyle::None, "Form3", true};
const TFontDesign kCommand = skin::Arial(11, skin::kGrey);
const TFontDesign kHeading = skin::Arial(11, skin::kBlack);

const TImageDesign kImage1 = {"Image1", 1, 1, 252, 122, "NEWFOLDER"};

// In paint order.
const TLabelRow<TForm3> kLabels[] = {
    {&TForm3::Label2, {"Label2", 37, 101, 24, 14, "[  ok", kCommand, TAlignment::Left, loAutoSize}},
    {&TForm3::Label3,
     {"Label3", 174, 101, 42, 14, "cancel ]", kCommand, TAlignment::Left, loAutoSize}},
    {&TForm3::Label1,
     {"Label1", 5, 2, 95, 14, "Choose a name...", kHeading, TAlignment::Left, loAutoSize}},
};
} // namespace

TForm3::TForm3() : TForm("TForm3", kDesign) {
  Image1.Apply(kImage1);
  ApplyDesign(*this, kLabels);
  Edit1.SetName("Edit1");
  Edit1.SetFont(skin::DialogFont());
  Edit1.SetBounds(13, 51, 225, 21);
  Edit1.SetText("NAME");

  Label2.OnClick = [this] { Label2Click(); };
  Label3.OnClick = [this] { Label3Click(); };
  Keyboard().SetDesign(TKeyboardDesign()
                           .Controls({&Edit1})
                           .Commands({&Label2, &Label3})
                           .Arrows(TArrowKeys::LeftRight)
                           .Escape(&Label3)
                           .AltF4(&Label3)
                           .Enter(&Label2));
  Keyboard().SetFocusFrame();
  Accessible().SetDesign({nullptr, &Label1, {&Label1}});
}

// The splash window has read install.ini by now: its proposed folder name.
void TForm3::FormCreate() {
  Edit1.SetText(Form1->Label7.Caption());
}

void TForm3::Label2Click() {
  TDirectoryListBox &list = Form2->DirectoryListBox1;
  // A double-byte name may end in a 0x5C trail byte: not a separator.
  std::string path = JoinPath(list.Directory(), Edit1.Text(), WinFolderSystem::Platform());
  // The outcome shows in the next step: entering a folder that is not there
  // raises, and this dialog stays up with the typed name.
  CreateDirectoryA(path.c_str(), nullptr);
  list.SetDirectory(path);
  Hide();
  Form2->SetVisible(true);
}

void TForm3::Label3Click() {
  Hide();
  Form2->SetVisible(true);
}
