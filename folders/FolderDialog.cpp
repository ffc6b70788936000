#include "folders/FolderDialog.h"

#include <string>

#include "extract/ExtractionDialog.h"
#include "folders/FreeSpace.h"
#include "folders/NewFolderDialog.h"
#include "runtime/StrToInt.h"
#include "shell/Skin.h"
#include "shell/SplashWindow.h"

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

// name, left, top, width, height, caption, font, alignment, autoSize
const TLabelDesign kLabels[] = {
    {"Label1", 37, 281, 21, 15, "[ ok", kCommand, TAlignment::Left, true},
    {"Label2", 171, 281, 45, 15, "cancel ]", kCommand, TAlignment::Left, true},
    {"Label3", 99, 281, 47, 15, "makedir", kCommand, TAlignment::Left, true},
    {"Label4", 7, 2, 105, 14, "Select a directory...", kHeading, TAlignment::Left, true},
    {"Label5", 11, 229, 119, 14, "space free on this disk : ", kSpace, TAlignment::Left, true},
    {"Label6", 170, 229, 69, 14, "freediskspace", kSpace, TAlignment::Right, true},
    {"Label7", 11, 246, 119, 14, "required for installation : ", kSpace, TAlignment::Left, true},
    {"Label8", 179, 246, 60, 14, "requiredfree", kSpace, TAlignment::Right, true},
};
} // namespace

TForm2::TForm2() : TForm("TForm2", kDesign) {
  Image1.Apply(kImage1);
  TLabel *labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8};
  for (size_t i = 0; i < std::size(labels); ++i)
    labels[i]->Apply(kLabels[i]);
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
}

// Runs twice for a pick of another drive: the second run changes nothing.
void TForm2::DriveComboBox1Change() {
  int32_t required = StrToInt(Form1->Label10.Caption());
  DirectoryListBox1.SetDrive(DriveComboBox1.Drive());
  // Decimal megabytes, truncated; a free space that cannot be read shows 0.
  int64_t freeMB = CurrentDriveFreeBytes() / 1000000;
  Label6.SetFontColor(required > freeMB ? kRed : kWhite);
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
