// The extraction dialog around the driver, with the real forms and a
// scripted archive library: the dialog as the driver's view, a run started
// by its extract label with the splash window's values, cancel before and
// during a run, and the extract label that works once.
#include <windows.h>

#include "ExtractionHarness.h"
#include "ScriptedArchive.h"
#include "extract/ExtractArchive.h"
#include "shell/Form1.h"
#include "shell/Form4.h"

namespace {

class ExtractionDialogTest : public ExtractionHarness {
protected:
  ExtractionDialogTest() { SetExtractionLibrary(&rar); }

  // Runs one extraction over the scripted set with demo.reg in place.
  void Run() {
    OpenDialog();
    release.WriteFile("demo.reg", "REGEDIT4\r\n");
    ClickExtract();
  }
  std::string ArchivePath() { return release.Path("demo.part1.rar"); }

  ScriptedArchive rar;
};

TEST_F(ExtractionDialogTest, DialogIsTheRunsView) {
  OpenDialog();
  ExtractionView &view = *Form4;

  view.ShowStatus("Extracting data\\alpha.bin");
  EXPECT_EQ(Form4->Label1.Caption(), "Extracting data\\alpha.bin");
  view.ShowHeading("Unpacking > set.part2.rar");
  EXPECT_EQ(Form4->Label3.Caption(), "Unpacking > set.part2.rar");
  // Clear of the title art's red mark: a long heading ends with an
  // ellipsis there, a short one keeps its own width.
  const std::string longHeading = "Unpacking > the-release-with-a-long-name.part01.rar";
  view.ShowHeading(longHeading);
  EXPECT_EQ(Form4->Label3.Caption(), longHeading);
  EXPECT_EQ(Form4->Label3.Left() + Form4->Label3.Width(), 127);
  view.ShowHeading("Unpacking > a.rar");
  EXPECT_LT(Form4->Label3.Left() + Form4->Label3.Width(), 127);
  view.ShowProgress(67);
  EXPECT_EQ(Form4->ProgressBar1.Position(), 67);

  const std::string prompt = "Insert disk C:\\release\\set.part2.rar and press [Enter] or [Q]";
  AnswerBoxes(IDOK);
  EXPECT_TRUE(view.AskForVolume(prompt));
  AnswerBoxes(IDCANCEL);
  EXPECT_FALSE(view.AskForVolume(prompt));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, prompt);
  EXPECT_EQ(boxes[0].caption, "Request");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OKCANCEL));

  // Queued input runs: a click on the cancel label hides the dialog.
  PostMessageA(Form4->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 107));
  PostMessageA(Form4->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(190, 107));
  view.ProcessMessages();
  EXPECT_FALSE(Form4->Visible());
}

TEST_F(ExtractionDialogTest, ExtractRunsOnTheSplashWindowValues) {
  std::vector<std::pair<std::string, int>> seen;
  rar.entries = {{"data\\last.bin", 3, {1, 1, 1}, 0, [&](size_t block) {
                    seen.push_back({Form4->Label1.Caption(), Form4->ProgressBar1.Position()});
                    if (block == 2) {
                      char volume[] = "C:\\release\\demo.part2.rar";
                      rar.changeVol(volume, RAR_VOL_NOTIFY);
                    }
                  }}};
  Run();

  EXPECT_EQ(rar.openedName, ArchivePath()) << "Label8";
  const std::vector<std::pair<std::string, int>> expected = {{"Extracting data\\last.bin", 33},
                                                             {"Extracting data\\last.bin", 67},
                                                             {"Extracting data\\last.bin", 100}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Form4->Label3.Caption(), "Unpacking > demo.part2.rar");
  EXPECT_EQ(Form4->ProgressBar1.Position(), 0);
  // The staging folder in the folder the folder dialog's list shows.
  const std::string target = Target() + "\\~installer.staging\\files";
  EXPECT_EQ(rar.destination, std::wstring(target.begin(), target.end()))
      << "the folder dialog's list";
  ExpectCompletedRun(); // DirectoryListBox1 made current
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].parameters, "\"demo.reg\"") << "Edit1";
}

// On a clock that stands still only the run's first frame and its pauses
// reach the screen: the first entry's name, the latest state while the
// volume prompt is up, and the failure text with the bar where it stopped.
TEST_F(ExtractionDialogTest, StillClockPaintsTheFirstFrameAndEveryPause) {
  clockStep = 0;
  struct Seen {
    std::string status, heading;
    int position;
    bool operator==(const Seen &o) const {
      return status == o.status && heading == o.heading && position == o.position;
    }
  };
  auto look = [] {
    return Seen{Form4->Label1.Caption(), Form4->Label3.Caption(), Form4->ProgressBar1.Position()};
  };
  std::vector<Seen> seen;
  rar.entries = {
      {"first.bin", 4, {1, 1}, 0, [&](size_t) { seen.push_back(look()); }},
      {"second.bin",
       4,
       {1, 2},
       0,
       [&](size_t block) {
         seen.push_back(look());
         char missing[] = "C:\\release\\demo.part3.rar";
         if (block == 0) {
           char opened[] = "C:\\release\\demo.part2.rar";
           rar.changeVol(opened, RAR_VOL_NOTIFY);
           rar.changeVol(missing, RAR_VOL_ASK);
           // Nothing paints while the box is up: this is what it showed.
           seen.push_back(look());
         } else {
           // Asked again further into the entry: only the bar has moved
           // since the last prompt, and the box shows where the entry stands.
           rar.changeVol(missing, RAR_VOL_ASK);
           seen.push_back(look());
         }
       }},
      {"third.bin", 10, {4}, ERAR_EWRITE},
  };
  Run();

  const Seen first{"Extracting first.bin", "Installation...", 0};
  const Seen atPrompt{"Extracting second.bin", "Unpacking > demo.part2.rar", 25};
  const Seen atSecondPrompt{"Extracting second.bin", "Unpacking > demo.part2.rar", 75};
  const std::vector<Seen> expected = {first, first, first, atPrompt, atPrompt, atSecondPrompt};
  EXPECT_TRUE(seen == expected);
  ASSERT_EQ(boxes.size(), 2u);
  ExpectFailedRun("Write error");
  EXPECT_EQ(Form4->ProgressBar1.Position(), 40) << "where the failure left it";
}

// The start-up folder cannot be made current again: the box of the
// input/output error, after the dialog has stepped aside; no editor.
TEST_F(ExtractionDialogTest, StartUpFolderGoneIsAnInputOutputError) {
  OpenDialog();
  release.MakeFolder("gone");
  Form1->DirectoryListBox1.SetDirectory(release.Path("gone"));
  ASSERT_TRUE(SetCurrentDirectoryA(Target().c_str()));
  ASSERT_TRUE(RemoveDirectoryA(release.Path("gone").c_str()));
  release.WriteFile("demo.reg", "REGEDIT4\r\n");
  ClickExtract();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Installer");
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_EQ(CurrentDirectory(), Target());
  EXPECT_TRUE(shellCalls.empty());
}

TEST_F(ExtractionDialogTest, FailedRunKeepsTheDialogUp) {
  rar.entries = {{"a.bin", 10, {10}, ERAR_EWRITE}};
  Run();
  ExpectFailedRun("Write error");
}

TEST_F(ExtractionDialogTest, CancelDuringRunHidesAndTheRunGoesOn) {
  bool visibleAfterCancel = true, splashEnabledAfterCancel = false;
  rar.entries = {
      {"one.bin",
       300,
       {100, 100, 100},
       0,
       [&](size_t block) {
         if (block == 0) {
           // Reaches the dialog through the queue the data callback empties.
           HWND dialog = Form4->Handle();
           PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 107));
           PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(190, 107));
         } else if (block == 1) {
           visibleAfterCancel = Form4->Visible();
           splashEnabledAfterCancel = Form1->Enabled();
         }
       }},
      {"two.bin", 10, {10}},
  };
  Run();
  EXPECT_FALSE(visibleAfterCancel);
  EXPECT_TRUE(splashEnabledAfterCancel);
  EXPECT_EQ(rar.operations.size(), 2u) << "entries after the cancel are still extracted";
  ExpectCompletedRun();
  EXPECT_EQ(shellCalls.size(), 1u) << "the end steps still run";
}

TEST_F(ExtractionDialogTest, ExtractLabelWorksOnce) {
  rar.openResult = ERAR_EOPEN;
  Run();
  EXPECT_FALSE(Form4->Label2.Enabled());
  ClickExtract();
  EXPECT_EQ(rar.opens, 1) << "a greyed label ignores clicks";
  ClickCancel();
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Form1->Enabled());
  Form4->Show();
  ClickExtract();
  EXPECT_EQ(rar.opens, 1) << "shown again, the dialog stays spent";
  EXPECT_EQ(Form4->Label1.Caption(), "Cannot open " + ArchivePath());
}

TEST_F(ExtractionDialogTest, CancelBeforeExtract) {
  OpenDialog();
  ClickCancel();
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_EQ(rar.opens, 0);
  Form4->Show();
  EXPECT_TRUE(Form4->Label2.Enabled());
}

} // namespace
