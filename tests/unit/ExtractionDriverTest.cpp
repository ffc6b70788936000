// The extraction driver and dialog on a scripted archive library: every
// result code with its text and outcome, the walk over entries, the bar,
// the callbacks, cancel during a run and the registry step.
#include <windows.h>

#include "ExtractionHarness.h"
#include "ScriptedArchive.h"
#include "extract/ExtractArchive.h"
#include "extract/ExtractionDialog.h"
#include "extract/UnrarDll.h"
#include "shell/SplashWindow.h"

namespace {

class ExtractionDriverTest : public ExtractionHarness {
protected:
  ExtractionDriverTest() { SetExtractionLibrary(&rar); }

  // Runs one extraction over the scripted set with demo.reg in place.
  void Run() {
    OpenDialog();
    release.WriteFile("demo.reg", "REGEDIT4\r\n");
    ClickExtract();
  }
  std::string ArchivePath() { return release.Path("demo.part1.rar"); }

  ScriptedArchive rar;
};

struct CodeCase {
  const char *call; // "open", "process" or "header"
  int code;
  const char *text; // "@" stands for the archive path
};

class ResultCodeTest : public ExtractionDriverTest,
                       public ::testing::WithParamInterface<CodeCase> {};

TEST_P(ResultCodeTest, FailedRunShowsItsText) {
  const CodeCase &c = GetParam();
  std::string call = c.call;
  if (call == "open")
    rar.openResult = c.code;
  rar.entries = {{"first.bin", 5000, {1000}, call == "process" ? c.code : 0}};
  if (call == "header")
    rar.entries.clear();
  rar.endResult = call == "header" ? c.code : ERAR_END_ARCHIVE;
  Run();

  std::string text = c.text;
  size_t at = text.find('@');
  if (at != std::string::npos)
    text.replace(at, 1, ArchivePath());
  ExpectFailedRun(text);
  EXPECT_EQ(rar.closes, call == "open" ? 0 : 1);
}

const CodeCase kCodes[] = {
    {"open", 11, "Not enough memory"},
    {"open", 12, "Archive header broken:@"},
    {"open", 13, "Is not RAR archive:@"},
    {"open", 15, "Cannot open @"},
    {"open", 14, "Extraction failed (code 14)"},
    {"open", 22, "Password required:@"},
    {"open", -1, "Extraction failed (code -1)"},
    {"process", 12, "CRC error"},
    {"process", 13, "Bad volume"},
    {"process", 14, "Unknown archive format"},
    {"process", 15, "Volume open error"},
    {"process", 16, "File create error"},
    {"process", 17, "File close error"},
    {"process", 18, "Read error"},
    {"process", 19, "Write error"},
    {"process", 10, "Extraction failed (code 10)"},
    {"process", 11, "Extraction failed (code 11)"},
    {"process", 20, "Extraction failed (code 20)"},
    {"process", 21, "Extraction failed (code 21)"},
    {"process", 22, "Password required"},
    {"process", 23, "Extraction failed (code 23)"},
    {"process", 24, "Extraction failed (code 24)"},
    {"header", 12, "File header broken"},
    {"header", 13, "Bad volume"},
    {"header", 15, "Volume open error"},
    {"header", 18, "Read error"},
    {"header", 11, "Extraction failed (code 11)"},
    {"header", 21, "Extraction failed (code 21)"},
    {"header", 24, "Extraction failed (code 24)"},
};
INSTANTIATE_TEST_SUITE_P(ExtractionCodes, ResultCodeTest, ::testing::ValuesIn(kCodes),
                         [](const ::testing::TestParamInfo<CodeCase> &info) {
                           std::string code = info.param.code < 0
                                                  ? "minus" + std::to_string(-info.param.code)
                                                  : std::to_string(info.param.code);
                           return std::string(info.param.call) + code;
                         });

TEST_F(ExtractionDriverTest, WalksEntriesWithStatusAndBar) {
  struct Seen {
    std::string status;
    int position;
  };
  std::vector<Seen> seen;
  auto record = [&](size_t) {
    seen.push_back({Form4->Label1.Caption(), Form4->ProgressBar1.Position()});
  };
  rar.entries = {
      {" \t leading blanks.txt \r\n", 1000, {250, 250, 500}, 0, record},
      {"folder", 0, {}, ERAR_BAD_DATA},            // no data, failure passed over
      {"empty.txt", 0, {}, ERAR_ECREATE},          // the same for an empty file
      {"data\\last.bin", 3, {1, 1, 1}, 0, record}, // thirds: 33, 67, 100
  };
  std::vector<int> positionsAtHeader;
  rar.atHeader = [&](size_t) { positionsAtHeader.push_back(Form4->ProgressBar1.Position()); };
  Run();

  ExpectCompletedRun();
  EXPECT_EQ(rar.openedName, ArchivePath());
  EXPECT_EQ(rar.opened.OpenMode, 1u);
  EXPECT_EQ(rar.opened.CmtBufSize, 16384u);
  EXPECT_EQ(rar.operations, std::vector<int>(4, RAR_EXTRACT));
  EXPECT_EQ(rar.narrowHeaderReads, 0) << "sizes past 4 GB need the extended header";
  EXPECT_EQ(rar.closes, 1);
  ASSERT_EQ(seen.size(), 6u);
  const Seen expected[] = {
      {"Extracting leading blanks.txt", 25},  {"Extracting leading blanks.txt", 50},
      {"Extracting leading blanks.txt", 100}, {"Extracting data\\last.bin", 33},
      {"Extracting data\\last.bin", 67},      {"Extracting data\\last.bin", 100}};
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].status, expected[i].status) << i;
    EXPECT_EQ(seen[i].position, expected[i].position) << i;
  }
  // Header reads after the first come after an entry at 100 or one without
  // data; by then the previous read has set the bar back to 0.
  EXPECT_EQ(positionsAtHeader, std::vector<int>({0, 100, 0, 0, 100}));
  EXPECT_EQ(Form4->ProgressBar1.Position(), 0) << "the last header read resets the bar";
  EXPECT_EQ(Form4->Label1.Caption(), "Extracting data\\last.bin");

  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_TRUE(shellCalls[0].noOwner);
  EXPECT_EQ(shellCalls[0].verb, "open");
  EXPECT_EQ(shellCalls[0].file, "regedit.exe");
  EXPECT_EQ(shellCalls[0].parameters, "\"demo.reg\"");
  EXPECT_EQ(shellCalls[0].folder, "");
  EXPECT_EQ(shellCalls[0].show, SW_SHOWNORMAL);
}

TEST_F(ExtractionDriverTest, SizeAboveFourGigabytesKeepsItsHighPart) {
  const uint64_t size = (uint64_t(1) << 32) + 100;
  double percent = 0;
  rar.entries = {{"huge.bin", size, {1 << 30}, 0, [&](size_t) { percent = Form4->Progress; }}};
  Run();
  EXPECT_NEAR(percent, 100.0 * (1 << 30) / double(size), 1e-9);
  EXPECT_EQ(Form4->EntrySize, 0) << "reset by the final header read";
  ExpectCompletedRun();
}

TEST_F(ExtractionDriverTest, EmptyEntryThatGetsDataCountsAsSizeOne) {
  int position = 0;
  rar.entries = {{"zero.bin", 0, {3}, ERAR_BAD_DATA, [&](size_t) {
                    position = static_cast<int>(Form4->Progress);
                    EXPECT_EQ(Form4->EntrySize, 1);
                  }}};
  Run();
  EXPECT_EQ(position, 300) << "passed on to the bar unclamped";
  ExpectFailedRun("CRC error");
}

TEST_F(ExtractionDriverTest, CommentReadWholeIsShownUntilTheFirstEntry) {
  rar.cmtState = RAR_CMT_READ;
  rar.comment = "Release notes\r\nline two";
  std::string atFirstHeader;
  rar.atHeader = [&](size_t index) {
    if (index == 0)
      atFirstHeader = Form4->Label1.Caption();
  };
  Run();
  EXPECT_EQ(atFirstHeader, "Comentario:Release notes\r\nline two");
  EXPECT_EQ(Form4->Label1.Caption(), atFirstHeader) << "a set without entries keeps it";
  ExpectCompletedRun();
  EXPECT_EQ(shellCalls.size(), 1u);
}

TEST_F(ExtractionDriverTest, CommentNotReadWholeShowsNothing) {
  rar.cmtState = ERAR_SMALL_BUF;
  rar.comment = std::string(16384, 'x'); // fills the buffer, no zero byte
  Run();
  EXPECT_EQ(Form4->Label1.Caption(), "- press [extract] button when ready -");
  ExpectCompletedRun();
}

TEST_F(ExtractionDriverTest, VolumeNotificationNamesTheFileOnly) {
  rar.entries = {{"a.bin", 10, {10}, 0, [&](size_t) {
                    char path[] = "C:\\release\\set.part2.rar";
                    EXPECT_EQ(rar.changeVol(path, RAR_VOL_NOTIFY), 1);
                    EXPECT_EQ(Form4->Label3.Caption(), "Unpacking > set.part2.rar");
                    char drive[] = "D:set.part3.rar";
                    rar.changeVol(drive, RAR_VOL_NOTIFY);
                  }}};
  Run();
  EXPECT_EQ(Form4->Label3.Caption(), "Unpacking > set.part3.rar");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ExtractionDriverTest, MissingVolumePromptAnswers) {
  std::vector<int> answers;
  rar.entries = {{"a.bin", 10, {10}, 0, [&](size_t) {
                    char path[] = "C:\\release\\set.part2.rar";
                    AnswerBoxes(IDOK);
                    answers.push_back(rar.changeVol(path, RAR_VOL_ASK));
                    AnswerBoxes(IDCANCEL);
                    answers.push_back(rar.changeVol(path, RAR_VOL_ASK));
                  }}};
  Run();
  EXPECT_EQ(answers, std::vector<int>({1, 0}));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Insert disk C:\\release\\set.part2.rar and press [Enter] or [Q]");
  EXPECT_EQ(boxes[0].caption, "Request");
  EXPECT_EQ(boxes[0].style, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(ExtractionDriverTest, CancelDuringRunHidesAndTheRunGoesOn) {
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

TEST_F(ExtractionDriverTest, ExtractLabelWorksOnce) {
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

TEST_F(ExtractionDriverTest, CancelBeforeExtract) {
  OpenDialog();
  ClickCancel();
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_TRUE(Form1->Visible());
  EXPECT_EQ(rar.opens, 0);
  Form4->Show();
  EXPECT_TRUE(Form4->Label2.Enabled());
}

TEST_F(ExtractionDriverTest, RegistryFolderStartsNoEditor) {
  OpenDialog("demo.part1.rar", "settings.reg");
  release.MakeFolder("settings.reg");
  ClickExtract();
  ExpectCompletedRun();
  EXPECT_TRUE(shellCalls.empty());
}

TEST_F(ExtractionDriverTest, MissingRegistryFileStartsNoEditor) {
  OpenDialog();
  ClickExtract();
  ExpectCompletedRun();
  EXPECT_TRUE(shellCalls.empty());
}

TEST_F(ExtractionDriverTest, ModesTestAndPrint) {
  std::vector<std::string> statuses;
  rar.entries = {
      {"a.bin", 1, {1}, 0, [&](size_t) { statuses.push_back(Form4->Label1.Caption()); }},
      {"b.bin", 1, {1}, 0, [&](size_t) { statuses.push_back(Form4->Label1.Caption()); }},
      {"c.bin", 1, {1}, 0, [&](size_t) { statuses.push_back(Form4->Label1.Caption()); }}};
  OpenDialog();
  Form4->ExtractArchive(Form1->Label8.Caption(), 1);
  EXPECT_EQ(statuses,
            std::vector<std::string>({"Testing    a.bin", "Testing    b.bin", "Testing    c.bin"}));
  EXPECT_EQ(rar.operations, std::vector<int>(3, RAR_TEST));
}

TEST_F(ExtractionDriverTest, MissingLibraryIsReportedInABox) {
  UnrarDll missing("no-such-unrar.dll");
  SetExtractionLibrary(&missing);
  OpenDialog();
  ClickExtract();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("Cannot load no-such-unrar.dll (error ", 0), 0u) << boxes[0].text;
  EXPECT_EQ(boxes[0].caption, "Installer");
  EXPECT_TRUE(Form4->Visible());
  EXPECT_FALSE(Form1->Enabled());
  EXPECT_EQ(CurrentDirectory(), Target());
}

} // namespace
