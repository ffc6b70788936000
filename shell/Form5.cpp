#include "shell/Form5.h"

#include "runtime/FileQueries.h"
#include "runtime/IoResult.h"
#include "runtime/TextFile.h"

TForm5 *Form5 = nullptr;

namespace {
const TFormDesign kDesign = {652, 330, RGB(199, 185, 169), TBorderStyle::ToolWindow, "Form5", true};

// The viewer takes the screen's height but this much.
constexpr int kScreenMargin = 35;
// The text box is this much shorter than the window.
constexpr int kMemoMargin = 30;
} // namespace

TForm5::TForm5() : TForm("TForm5", kDesign) {
  Memo1.SetName("Memo1");
  Memo1.SetBounds(0, 0, 651, 330);
  Memo1.SetFontHeight(12);
  Memo1.SetColors(RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF));
  Keyboard().SetDesign(TKeyboardDesign().Controls({&Memo1}));
  Keyboard().SetEscapeCloses();
}

void TForm5::ShowTextFile(const std::string &folder, const std::string &name) {
  // The first showing centres the window, which puts this height's top
  // edge half the margin down; later ones keep the left edge.
  SetTop(0);
  SetHeight(GetSystemMetrics(SM_CYSCREEN) - kScreenMargin);
  Memo1.Clear();
  Memo1.SetBounds(Memo1.Left(), Memo1.Top(), Memo1.Width(), Height() - kMemoMargin);
  std::string path = folder + name;
  long long size = FileSize(path);
  if (size < 0)
    return;
  SetCaption("Showing " + name);
  Memo1.Reserve(static_cast<size_t>(size));

  TextFile file;
  file.Assign(path);
  file.Reset();
  IoCheck();
  for (;;) {
    bool atEnd = file.Eof();
    IoCheck();
    if (atEnd)
      break;
    std::string line = file.ReadLn();
    IoCheck();
    Memo1.Add(line);
  }
  file.Close();
  IoCheck();
  Show();
}
