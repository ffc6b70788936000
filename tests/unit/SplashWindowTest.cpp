// Start-up and the splash window: install.ini into the controls, the error
// reports, the music commands, and the command labels' skin.
#include <windows.h>

#include <mmsystem.h>

#include "InstallerFixture.h"
#include "media/MediaPlayer.h"
#include "shell/Form1.h"

namespace {

struct MciCall {
  UINT command;
  DWORD flags;
};
std::vector<MciCall> mciCalls;
MCIERROR WINAPI RecordMci(MCIDEVICEID device, UINT command, DWORD_PTR flags, DWORD_PTR record) {
  mciCalls.push_back({command, static_cast<DWORD>(flags)});
  return mciSendCommandA(device, command, flags, record);
}

class SplashWindowTest : public InstallerFixture {
protected:
  SplashWindowTest() {
    mciCalls.clear();
    TMediaPlayer::SetSendCommand(RecordMci);
  }
  ~SplashWindowTest() override { TMediaPlayer::SetSendCommand(nullptr); }

  bool Sent(UINT command) const {
    for (const MciCall &call : mciCalls)
      if (call.command == command)
        return true;
    return false;
  }
  std::string Folder() { return release.Root() + "\\"; }
};

TEST_F(SplashWindowTest, EveryLineReachesItsControl) {
  WriteRelease({"  Title  ", "Sub", "A.NFO", "B.DIZ", "Target Dir", "set.part1.rar", "12", "x.reg",
                "Notes here", "a tenth line is ignored"});
  ASSERT_TRUE(StartInstaller()) << startError;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Label1.Caption(), "  Title  ") << "blanks stay part of the value";
  EXPECT_EQ(Form1->Label2.Caption(), "Sub");
  EXPECT_EQ(Form1->Label5.Caption(), "A.NFO");
  EXPECT_EQ(Form1->Label6.Caption(), "B.DIZ");
  EXPECT_EQ(Form1->Label7.Caption(), "Target Dir");
  EXPECT_EQ(Form1->Label8.Caption(), Folder() + "set.part1.rar");
  EXPECT_EQ(Form1->Label9.Caption(), Folder());
  EXPECT_EQ(Form1->Label10.Caption(), "12");
  EXPECT_EQ(Form1->Edit1.Text(), "x.reg");
  EXPECT_EQ(Form1->Label11.Caption(), "Notes here");
  EXPECT_EQ(Form1->DirectoryListBox1.Directory(), release.Root());
  EXPECT_TRUE(Form1->MediaPlayer1.IsOpen());
  EXPECT_TRUE(Sent(MCI_PLAY)) << "the music starts at the end of the creation handler";
}

TEST_F(SplashWindowTest, LineFeedsAloneDoNotEndLines) {
  release.WriteFile("install.ini", "one\ntwo\nthree\n");
  release.WriteFile("install.mid", SmallMidi());
  ASSERT_TRUE(StartInstaller()) << startError;
  EXPECT_EQ(Form1->Label1.Caption(), "one\ntwo\nthree\n");
  EXPECT_EQ(Form1->Label2.Caption(), "");
  EXPECT_EQ(Form1->Label8.Caption(), Folder());
  EXPECT_EQ(Form1->Label9.Caption(), Folder());
  EXPECT_EQ(Form1->Edit1.Text(), "");
  EXPECT_TRUE(boxes.empty()) << "a short file is no error";
  EXPECT_TRUE(Sent(MCI_PLAY));
}

TEST_F(SplashWindowTest, MissingIniGivesOneBoxAndDesignCaptions) {
  release.WriteFile("install.mid", SmallMidi());
  ASSERT_TRUE(StartInstaller()) << startError;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "File not found.");
  EXPECT_EQ(boxes[0].caption, "Installer");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(Form1->Label1.Caption(), "TITLEMAIN");
  EXPECT_EQ(Form1->Label2.Caption(), "TITLESUB");
  EXPECT_EQ(Form1->Label5.Caption(), "GROUP.nfo");
  EXPECT_EQ(Form1->Label6.Caption(), "file_id.diz");
  EXPECT_EQ(Form1->Label11.Caption(), "Installation notes:");
  EXPECT_EQ(Form1->Label7.Caption(), "Label7");
  EXPECT_EQ(Form1->Label8.Caption(), "Label8");
  EXPECT_EQ(Form1->Label10.Caption(), "Label10");
  EXPECT_EQ(Form1->Edit1.Text(), "Edit1");
  EXPECT_TRUE(Form1->MediaPlayer1.IsOpen()) << "opened while loading";
  EXPECT_FALSE(Sent(MCI_PLAY)) << "no music after a failed creation handler";
}

TEST_F(SplashWindowTest, MissingMusicStopsStartUp) {
  release.WriteFile("install.ini", IniText(StandardIniLines()));
  EXPECT_FALSE(StartInstaller());
  EXPECT_EQ(startError.rfind("EMCIDeviceError: ", 0), 0u) << startError;
  EXPECT_GT(startError.size(), std::string("EMCIDeviceError: ").size()) << "the platform's text";
  EXPECT_EQ(Form1, nullptr) << "the half-built window is discarded";
  EXPECT_TRUE(boxes.empty()) << "the creation handler never ran";
}

TEST_F(SplashWindowTest, MusicCommandsInOrder) {
  WriteRelease(StandardIniLines());
  ASSERT_TRUE(StartInstaller()) << startError;
  std::vector<UINT> commands;
  for (const MciCall &call : mciCalls)
    commands.push_back(call.command);
  std::vector<UINT> expected = {MCI_OPEN,       MCI_STATUS,     MCI_GETDEVCAPS, MCI_GETDEVCAPS,
                                MCI_GETDEVCAPS, MCI_GETDEVCAPS, MCI_GETDEVCAPS, MCI_WHERE,
                                MCI_STATUS,     MCI_STATUS,     MCI_STATUS};
  ASSERT_GE(commands.size(), expected.size() + 1);
  EXPECT_EQ(std::vector<UINT>(commands.begin(), commands.begin() + expected.size()), expected);
  EXPECT_EQ(mciCalls[0].flags, static_cast<DWORD>(MCI_WAIT | MCI_OPEN_ELEMENT));
  EXPECT_EQ(mciCalls[7].flags, 0x20000u);
  EXPECT_EQ(mciCalls.back().command, static_cast<UINT>(MCI_PLAY));
  EXPECT_EQ(mciCalls.back().flags, static_cast<DWORD>(MCI_NOTIFY));
}

TEST_F(SplashWindowTest, StartFromADriveRoot) {
  // The derived paths hold two backslashes after the drive; files are still found.
  WriteRelease(StandardIniLines(), "C:\\");
  ASSERT_TRUE(StartInstaller("C:\\")) << startError;
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form1->Label9.Caption(), "C:\\\\");
  EXPECT_EQ(Form1->Label8.Caption(), "C:\\\\demo.part1.rar");
  EXPECT_NE(GetFileAttributesA((Form1->Label9.Caption() + "install.ini").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(SplashWindowTest, CommandLabelsHoverPressAndRest) {
  WriteRelease(StandardIniLines());
  ASSERT_TRUE(StartInstaller()) << startError;
  const COLORREF white = RGB(255, 255, 255), silver = RGB(192, 192, 192), red = RGB(255, 0, 0);
  Form1->Show();

  MoveMouse(*Form1, 45, 300); // over "install"
  EXPECT_EQ(Form1->Label4.FontColor(), silver);
  EXPECT_EQ(Form1->Label12.Caption(), "begin installation!");
  MoveMouse(*Form1, 50, 335); // straight onto the notes label
  EXPECT_EQ(Form1->Label5.FontColor(), silver);
  EXPECT_EQ(Form1->Label4.FontColor(), silver) << "only the background resets";
  EXPECT_EQ(Form1->Label12.Caption(), "this button displays the .NFO file!");
  MoveMouse(*Form1, 50, 365);
  EXPECT_EQ(Form1->Label12.Caption(), "this will display the .DIZ file!");
  MoveMouse(*Form1, 50, 400);
  EXPECT_EQ(Form1->Label12.Caption(), "back to system!");

  MoveMouse(*Form1, 250, 250); // background
  for (TLabel *label : {&Form1->Label3, &Form1->Label4, &Form1->Label5, &Form1->Label6})
    EXPECT_EQ(label->FontColor(), white) << label->Name();
  EXPECT_EQ(Form1->Label12.Caption(), " ");

  Press(*Form1, 50, 400, TMouseButton::Right);
  EXPECT_EQ(Form1->Label3.FontColor(), red) << "any button presses";
  Release(*Form1, 50, 400, TMouseButton::Right);
  EXPECT_TRUE(Form1->Enabled()) << "a right click runs no command";
}

TEST_F(SplashWindowTest, PaintedColoursFollowTheSkin) {
  WriteRelease(StandardIniLines());
  ASSERT_TRUE(StartInstaller()) << startError;
  Picture atRest = Render(*Form1);
  EXPECT_EQ(atRest.At(0, 0), RGB(0, 0, 0)) << "black window edge";
  EXPECT_EQ(atRest.At(401, 421), RGB(0, 0, 0));
  // Some pixel of "install" is drawn in the label's colour, whatever it is.
  auto countColour = [&](COLORREF colour) {
    Picture picture = Render(*Form1);
    int count = 0;
    for (int y = 296; y < 312; ++y)
      for (int x = 33; x < 71; ++x)
        count += picture.At(x, y) == colour;
    return count;
  };
  EXPECT_GT(countColour(RGB(255, 255, 255)), 20);
  MoveMouse(*Form1, 45, 300);
  EXPECT_GT(countColour(RGB(192, 192, 192)), 20);
}

} // namespace
