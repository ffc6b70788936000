// The six windows against their designed layout: window class, client
// size, and the design caption of every visible label, read through the
// form's own field so that two swapped captions show.
#include <windows.h>

#include <functional>

#include "InstallerFixture.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"
#include "shell/Form5.h"
#include "shell/Form6.h"

namespace {

class WindowLayoutTest : public InstallerFixture {
protected:
  // Without install.ini every window keeps its design texts.
  void SetUp() override {
    release.WriteFile("install.mid", SmallMidi());
    ASSERT_TRUE(StartInstaller()) << startError;
  }
};

struct WindowRow {
  const char *name;
  std::function<TForm *()> form;
  int clientWidth, clientHeight;
  const char *caption; // nullptr where the design gives none that shows
};
// clang-format off
#define WINDOW(form, width, height, caption) \
  WindowRow{#form, []() -> TForm * { return form; }, width, height, caption}
// clang-format on

TEST_F(WindowLayoutTest, ClassAndClientSizeOfEveryWindow) {
  const WindowRow rows[] = {
      WINDOW(Form1, 402, 422, nullptr), WINDOW(Form2, 252, 302, nullptr),
      WINDOW(Form3, 252, 122, nullptr), WINDOW(Form4, 253, 122, "Ready..."),
      WINDOW(Form5, 652, 330, "Form5"), WINDOW(Form6, 253, 123, nullptr),
  };
  for (const WindowRow &row : rows) {
    SCOPED_TRACE(row.name);
    TForm *form = row.form();
    ASSERT_NE(form, nullptr);
    char className[32] = "";
    GetClassNameA(form->Handle(), className, sizeof className);
    EXPECT_EQ(className, "T" + std::string(row.name));
    RECT client;
    ASSERT_TRUE(GetClientRect(form->Handle(), &client));
    EXPECT_EQ(client.right, row.clientWidth);
    EXPECT_EQ(client.bottom, row.clientHeight);
    if (row.caption) {
      EXPECT_EQ(form->Caption(), row.caption);
    }
  }
}

struct CaptionRow {
  const char *name;
  std::function<TLabel &()> label;
  const char *field;
  const char *caption;
};
// clang-format off
#define LABEL(form, field, caption) \
  CaptionRow{#form "." #field, []() -> TLabel & { return form->field; }, #field, caption}
// clang-format on

TEST_F(WindowLayoutTest, DesignCaptionOfEveryVisibleLabel) {
  const CaptionRow rows[] = {
      LABEL(Form1, Label1, "TITLEMAIN"),
      LABEL(Form1, Label2, "TITLESUB"),
      LABEL(Form1, Label3, "quit"),
      LABEL(Form1, Label4, "install"),
      LABEL(Form1, Label5, "GROUP.nfo"),
      LABEL(Form1, Label6, "file_id.diz"),
      LABEL(Form1, Label11, "Installation notes:"),
      LABEL(Form1, Label12, " "),
      LABEL(Form2, Label1, "[ ok"),
      LABEL(Form2, Label2, "cancel ]"),
      LABEL(Form2, Label3, "makedir"),
      LABEL(Form2, Label4, "Select a directory..."),
      LABEL(Form2, Label5, "space free on this disk : "),
      LABEL(Form2, Label6, "freediskspace"),
      LABEL(Form2, Label7, "required for installation : "),
      LABEL(Form2, Label8, "requiredfree"),
      LABEL(Form3, Label1, "Choose a name..."),
      LABEL(Form3, Label2, "[  ok"),
      LABEL(Form3, Label3, "cancel ]"),
      LABEL(Form4, Label1, "- press [extract] button when ready -"),
      LABEL(Form4, Label2, "[ extract"),
      LABEL(Form4, Label3, "Installation..."),
      LABEL(Form4, Label4, "cancel ]"),
      LABEL(Form6, Label1, "cancel ]"),
      LABEL(Form6, Label2, "Code / Gfx : [kWz]"),
      LABEL(Form6, Label4, "[  ok"),
      LABEL(Form6, Label5, "all ZEFRA and TaVRO members"),
  };
  for (const CaptionRow &row : rows) {
    SCOPED_TRACE(row.name);
    TLabel &label = row.label();
    EXPECT_EQ(label.Caption(), row.caption);
    EXPECT_EQ(label.Name(), row.field);
    EXPECT_TRUE(label.Visible());
  }
}

} // namespace
