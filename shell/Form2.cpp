#include "shell/Form2.h"

#include <string>

#include "folders/FreeSpace.h"
#include "runtime/DesignRows.h"
#include "runtime/Exception.h"
#include "runtime/StrToInt.h"
#include "shell/AllForms.h"
#include "shell/Skin.h"

TForm2 *Form2 = nullptr;

namespace {
using skin::kBlack;
using skin::kGrey;
using skin::kRed;
using skin::kWhite;

const TFormDesign kDesign = {252, 302, RGB(128, 128, 128), TBorderStyle::None, "Form2", true};

// Command labels of this dialog keep their grey: no hover or press look.
const TFontDesign kCommand = skin::Arial(12, kGrey);
const TFontDesign kHeading = skin::Arial(11, kBlack);
const TFontDesign kSpace = skin::Arial(11, kBlack, false);

const TImageDesign kImage1 = {"Image1", 1, -1, 251, 304, "FOLDERDIALOG", true};

const TLabelRow<TForm2> kLabels[] = {
    {&TForm2::Label1, {"Label1", 37, 281, 21, 15, "[ ok", kCommand, TAlignment::Left, loAutoSize}},
    {&TForm2::Label2,
     {"Label2", 171, 281, 45, 15, "cancel ]", kCommand, TAlignment::Left, loAutoSize}},
    {&TForm2::Label3,
     {"Label3", 99, 281, 47, 15, "makedir", kCommand, TAlignment::Left, loAutoSize}},
    {&TForm2::Label4,
     {"Label4", 7, 2, 105, 14, "Select a directory...", kHeading, TAlignment::Left, loAutoSize}},
    {&TForm2::Label5,
     {"Label5", 11, 229, 119, 14, "space free on this disk : ", kSpace, TAlignment::Left,
      loAutoSize}},
    {&TForm2::Label6,
     {"Label6", 170, 229, 69, 14, "freediskspace", kSpace, TAlignment::Right, loAutoSize}},
    {&TForm2::Label7,
     {"Label7", 11, 246, 119, 14, "required for installation : ", kSpace, TAlignment::Left,
      loAutoSize}},
    {&TForm2::Label8,
     {"Label8", 179, 246, 60, 14, "requiredfree", kSpace, TAlignment::Right, loAutoSize}},
};
} // namespace

TForm2::TForm2() : TForm("TForm2", kDesign) {
  Image1.Apply(kImage1);
  ApplyDesign(*this, kLabels);
  DriveComboBox1.SetName("DriveComboBox1");
  DriveComboBox1.SetFont(skin::DialogFont());
  DriveComboBox1.SetBounds(5, 30, 242, 19);
  DirectoryListBox1.SetName("DirectoryListBox1");
  DirectoryListBox1.SetFont(skin::DialogFont());
  DirectoryListBox1.SetBounds(5, 50, 241, 176);
  DirectoryListBox1.SetItemHeight(16);

  DriveComboBox1.OnChange = [this] { DriveComboBox1Change(); };
  Label1.OnClick = [this] { Label1Click(); };
  Label2.OnClick = [this] { Label2Click(); };
  Label3.OnClick = [this] { Label3Click(); };
  Keyboard().SetDesign(TKeyboardDesign()
                           .Controls({&DriveComboBox1, &DirectoryListBox1})
                           .Commands({&Label1, &Label3, &Label2})
                           .Arrows(TArrowKeys::LeftRight)
                           .Escape(&Label2)
                           .AltF4(&Label2));
  Keyboard().SetFocusFrame();
  Accessible().SetDesign({nullptr, &Label4, {&Label4, &Label5, &Label6, &Label7, &Label8}});
}

void TForm2::StartIn(const std::string &folder) {
  try {
    DirectoryListBox1.SetDirectory(folder);
  } catch (const EInOutError &) {
    return; // the dialog opens where it would have
  }
  // A network path has no drive letter.
  const std::string &shown = DirectoryListBox1.Directory();
  DriveComboBox1.SetDrive(shown.empty() || shown[0] == '\\' ? 0 : shown[0]);
}

// Runs twice for a pick of another drive: the second run changes nothing.
void TForm2::DriveComboBox1Change() {
  int32_t required = StrToInt(Form1->Label10.Caption());
  DirectoryListBox1.SetDrive(DriveComboBox1.Drive());
  // Decimal megabytes, truncated; a free space that cannot be read shows 0.
  int64_t freeMB = FreeBytes(DirectoryListBox1.Directory()) / 1000000;
  Label6.SetFontColor(required > freeMB ? kRed : kWhite);
  // The red is not the only sign of too little space.
  Label6.SetAccessibleNote(required > freeMB ? "less than required" : "");
  Label6.SetCaption(std::to_string(freeMB) + " Mb.");
}

// The space is not checked here: the red figure is the only warning.
void TForm2::Label1Click() {
  Form4->SetVisible(true);
  Hide();
}

void TForm2::Label2Click() {
  Form1->SetEnabled(true);
  Hide();
}

void TForm2::Label3Click() {
  Hide();
  Form3->SetVisible(true);
}
