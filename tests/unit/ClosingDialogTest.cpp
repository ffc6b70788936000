// The quit command and the closing dialog: the skin of its two commands,
// cancel back to the splash window, ok ends the program.
#include <windows.h>

#include "InstallerFixture.h"
#include "shell/Form1.h"
#include "shell/Form5.h"
#include "shell/Form6.h"

namespace {

const COLORREF kGrey = RGB(128, 128, 128), kSilver = RGB(192, 192, 192), kRed = RGB(255, 0, 0);

class ClosingDialogTest : public InstallerFixture {
protected:
  void SetUp() override {
    WriteRelease(StandardIniLines());
    ASSERT_TRUE(StartInstaller()) << startError;
    Form1->Show();
  }
  void Quit() {
    Click(*Form1, 50, 400);
    Pump();
    // Out of reach of the display's real pointer, which end-to-end tests
    // may be moving at the same time: only this test's messages count.
    for (TForm *form : {static_cast<TForm *>(Form1), static_cast<TForm *>(Form6)})
      SetWindowPos(form->Handle(), nullptr, -2000, -2000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  static constexpr int kOkX = 45, kOkY = 108, kCancelX = 190, kCancelY = 107;
};

TEST_F(ClosingDialogTest, QuitDisablesTheSplashWindowAndShowsTheDialog) {
  Quit();
  EXPECT_FALSE(Form1->Enabled());
  EXPECT_TRUE(Form6->Visible());
  bool aboveSplash = false; // Form1 comes after it in the z-order
  for (HWND w = GetWindow(Form6->Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    aboveSplash |= w == Form1->Handle();
  EXPECT_TRUE(aboveSplash);
  EXPECT_EQ(Form6->ClientWidth(), 253);
  EXPECT_EQ(Form6->ClientHeight(), 123);
  EXPECT_EQ(Form6->Label5.Caption(), "all ZEFRA and TaVRO members");
  EXPECT_EQ(Form6->Label2.Caption(), "Code / Gfx : [kWz]");
  EXPECT_EQ(Form6->Label4.Caption(), "[  ok");
  EXPECT_EQ(Form6->Label1.Caption(), "cancel ]");
  Picture picture = Render(*Form6);
  EXPECT_EQ(picture.At(0, 60), GetSysColor(COLOR_BTNFACE)) << "uncovered left edge";
  EXPECT_NE(picture.At(2, 60), GetSysColor(COLOR_BTNFACE)) << "the bitmap from x 2";
}

TEST_F(ClosingDialogTest, CommandColours) {
  Quit();
  EXPECT_EQ(Form6->Label4.FontColor(), kGrey);
  EXPECT_EQ(Form6->Label1.FontColor(), kGrey);
  MoveMouse(*Form6, kOkX, kOkY);
  EXPECT_EQ(Form6->Label4.FontColor(), kSilver);
  MoveMouse(*Form6, kCancelX, kCancelY);
  EXPECT_EQ(Form6->Label1.FontColor(), kSilver);
  EXPECT_EQ(Form6->Label4.FontColor(), kSilver) << "only the background resets";
  Press(*Form6, kCancelX, kCancelY, TMouseButton::Middle);
  EXPECT_EQ(Form6->Label1.FontColor(), kRed);
  Release(*Form6, kCancelX, kCancelY, TMouseButton::Middle);
  EXPECT_TRUE(Form6->Visible()) << "only the left button clicks";
  MoveMouse(*Form6, 120, 20);
  EXPECT_EQ(Form6->Label4.FontColor(), kGrey);
  EXPECT_EQ(Form6->Label1.FontColor(), kGrey);
}

TEST_F(ClosingDialogTest, CancelReturnsAndTheColoursStay) {
  Quit();
  Click(*Form6, kCancelX, kCancelY);
  Pump();
  EXPECT_FALSE(Form6->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_TRUE(Form1->MediaPlayer1.IsOpen()) << "the music goes on";
  EXPECT_FALSE(Application->Terminated());

  Quit();
  EXPECT_TRUE(Form6->Visible());
  EXPECT_EQ(Form6->Label1.FontColor(), kRed) << "not reset between showings";
  MoveMouse(*Form6, kOkX, kOkY);
  EXPECT_EQ(Form6->Label1.FontColor(), kRed);
  MoveMouse(*Form6, 120, 20);
  EXPECT_EQ(Form6->Label1.FontColor(), kGrey);
}

TEST_F(ClosingDialogTest, OnlyALeftClickOnOkEndsTheProgram) {
  release.WriteFile("NOTES.NFO", "notes\r\n");
  Form1->Label5Click();
  ASSERT_TRUE(Form5->Visible());
  Quit();
  Press(*Form6, kOkX, kOkY, TMouseButton::Right);
  EXPECT_EQ(Form6->Label4.FontColor(), kRed);
  Release(*Form6, kOkX, kOkY, TMouseButton::Right);
  Pump();
  EXPECT_FALSE(Application->Terminated());

  Press(*Form6, kOkX, kOkY);
  Release(*Form6, 150, 20); // let go elsewhere: no click
  Pump();
  EXPECT_FALSE(Application->Terminated());

  Click(*Form6, kOkX, kOkY);
  Pump();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(Form6->Visible()) << "the dialog does not hide itself first";
}

} // namespace
