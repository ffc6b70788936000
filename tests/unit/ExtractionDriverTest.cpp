// The extraction driver on a scripted archive library and a recording view,
// without forms: every result code with its text and outcome, the walk over
// entries into the folder it is given, the bar, the callbacks and the names
// shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedArchive.h"
#include "TempFolder.h"
#include "extract/ExtractArchive.h"
#include "extract/ExtractionView.h"
#include "extract/UnrarDll.h"
#include "extract/WideName.h"
#include "runtime/Application.h"
#include "runtime/Exception.h"

namespace {

// Records what a run shows; answers the volume prompt from a queue (OK
// when it is empty).
class RecordingView : public ExtractionView {
public:
  std::string status = "- press [extract] button when ready -";
  std::string heading = "Installation...";
  int position = 0;
  std::vector<std::string> prompts;
  std::vector<bool> answers;
  int pumps = 0;

  void ShowStatus(const std::string &text) override { status = text; }
  void ShowHeading(const std::string &text) override { heading = text; }
  void ShowProgress(int32_t value) override { position = value; }
  void ProcessMessages() override { ++pumps; }
  bool AskForVolume(const std::string &prompt) override {
    prompts.push_back(prompt);
    if (answers.empty())
      return true;
    bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  // As the dialog does: the application's box.
  void ShowLibraryFailure(const Exception &error) override { Application->HandleException(error); }
};

std::string CurrentDirectory() {
  char path[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof path, path);
  return path;
}

class ExtractionDriverTest : public ::testing::Test {
protected:
  ExtractionDriverTest() : previousDirectory_(CurrentDirectory()) {
    // The application object only, without its window: boxes of the
    // program's own failures, recorded.
    app_.SetMessageBoxHook([this](const std::string &text, const std::string &caption, UINT style) {
      boxes.push_back({text, caption, style});
      return IDOK;
    });
    release.MakeFolder("target");
  }

  // One run over the script into the target folder.
  void Run(int mode = 0) {
    run = std::make_unique<ExtractionRun>(*library, view);
    outcome = run->ExtractArchive(ArchivePath(), Target(), mode);
  }

  std::string ArchivePath() const { return release.Path("demo.part1.rar"); }
  std::string Target() const { return release.Path("target"); }

  // The run stopped on a failure with its text shown. Either way a run
  // never moves the current directory.
  void ExpectFailedRun(const std::string &status,
                       ExtractionOutcome failure = ExtractionOutcome::Failed) {
    EXPECT_EQ(view.status, status);
    EXPECT_EQ(outcome, failure);
    EXPECT_EQ(CurrentDirectory(), previousDirectory_);
  }
  // The run reached the end of the set.
  void ExpectCompletedRun(ExtractionOutcome end = ExtractionOutcome::Complete) {
    EXPECT_EQ(outcome, end);
    EXPECT_EQ(CurrentDirectory(), previousDirectory_);
  }

  struct Box {
    std::string text, caption;
    UINT style;
  };

  TempFolder release;
  ScriptedArchive rar;
  ArchiveLibrary *library = &rar;
  RecordingView view;
  std::unique_ptr<ExtractionRun> run;
  ExtractionOutcome outcome = ExtractionOutcome::LibraryUnusable;
  std::vector<Box> boxes;

private:
  std::string previousDirectory_;
  TApplication app_;
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
  auto record = [&](size_t) { seen.push_back({view.status, view.position}); };
  rar.entries = {
      {" \t leading blanks.txt \r\n", 1000, {250, 250, 500}, 0, record},
      {"folder", 0, {}, ERAR_BAD_DATA},            // no data, failure passed over
      {"empty.txt", 0, {}, ERAR_ECREATE},          // the same for an empty file
      {"data\\last.bin", 3, {1, 1, 1}, 0, record}, // thirds: 33, 67, 100
  };
  std::vector<int> positionsAtHeader;
  rar.atHeader = [&](size_t) { positionsAtHeader.push_back(view.position); };
  Run();

  ExpectCompletedRun();
  EXPECT_EQ(rar.openedName, ArchivePath());
  const std::string target = Target();
  EXPECT_EQ(rar.destination, std::wstring(target.begin(), target.end()));
  EXPECT_EQ(rar.opened.OpenMode, 1u);
  EXPECT_EQ(rar.operations, std::vector<int>(4, RAR_EXTRACT));
  EXPECT_EQ(rar.narrowHeaderReads, 0) << "sizes past 4 GB need the extended header";
  EXPECT_EQ(rar.closes, 1);
  EXPECT_EQ(view.pumps, 6) << "messages processed once per data block";
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
  EXPECT_EQ(view.position, 0) << "the last header read resets the bar";
  EXPECT_EQ(view.status, "Extracting data\\last.bin");
}

TEST_F(ExtractionDriverTest, SizeAboveFourGigabytesKeepsItsHighPart) {
  const uint64_t size = (uint64_t(1) << 32) + 100;
  double percent = 0;
  rar.entries = {{"huge.bin", size, {1 << 30}, 0, [&](size_t) { percent = run->Progress(); }}};
  Run();
  EXPECT_NEAR(percent, 100.0 * (1 << 30) / double(size), 1e-9);
  EXPECT_EQ(run->EntrySize(), 0) << "reset by the final header read";
  ExpectCompletedRun();
}

TEST_F(ExtractionDriverTest, EmptyEntryThatGetsDataCountsAsSizeOne) {
  int position = 0;
  rar.entries = {{"zero.bin", 0, {3}, ERAR_BAD_DATA, [&](size_t) {
                    position = static_cast<int>(run->Progress());
                    EXPECT_EQ(run->EntrySize(), 1);
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
      atFirstHeader = view.status;
  };
  Run();
  EXPECT_EQ(atFirstHeader, "Comentario:Release notes\r\nline two");
  EXPECT_EQ(view.status, atFirstHeader) << "a set without entries keeps it";
  ExpectCompletedRun();
}

TEST_F(ExtractionDriverTest, CommentNotReadWholeShowsNothing) {
  rar.cmtState = ERAR_SMALL_BUF;
  rar.comment = std::string(16384, 'x'); // fills the buffer, no zero byte
  Run();
  EXPECT_EQ(view.status, "- press [extract] button when ready -");
  ExpectCompletedRun();
}

TEST_F(ExtractionDriverTest, VolumeNotificationNamesTheFileOnly) {
  rar.entries = {{"a.bin", 10, {10}, 0, [&](size_t) {
                    char path[] = "C:\\release\\set.part2.rar";
                    EXPECT_EQ(rar.changeVol(path, RAR_VOL_NOTIFY), 1);
                    EXPECT_EQ(view.heading, "Unpacking > set.part2.rar");
                    char drive[] = "D:set.part3.rar";
                    rar.changeVol(drive, RAR_VOL_NOTIFY);
                  }}};
  Run();
  EXPECT_EQ(view.heading, "Unpacking > set.part3.rar");
  EXPECT_TRUE(view.prompts.empty());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ExtractionDriverTest, MissingVolumePromptAnswers) {
  std::vector<int> answers;
  view.answers = {true, false};
  rar.entries = {{"a.bin", 10, {10}, 0, [&](size_t) {
                    char path[] = "C:\\release\\set.part2.rar";
                    answers.push_back(rar.changeVol(path, RAR_VOL_ASK));
                    answers.push_back(rar.changeVol(path, RAR_VOL_ASK));
                  }}};
  Run();
  EXPECT_EQ(answers, std::vector<int>({1, 0}));
  ExpectCompletedRun(ExtractionOutcome::EndedAtMissingVolume);
  ASSERT_EQ(view.prompts.size(), 2u);
  EXPECT_EQ(view.prompts[0], "Insert disk C:\\release\\set.part2.rar and press [Enter] or [Q]");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ExtractionDriverTest, CallbacksOutsideARunTouchNothing) {
  char path[] = "C:\\release\\set.part2.rar";
  EXPECT_EQ(ExtractionRun::ChangeVolProc(path, RAR_VOL_ASK), 0) << "nobody to ask: give up";
  EXPECT_EQ(ExtractionRun::ChangeVolProc(path, RAR_VOL_NOTIFY), 1);
  unsigned char data = 0;
  EXPECT_EQ(ExtractionRun::ProcessDataProc(&data, 1), 1);
  EXPECT_TRUE(view.prompts.empty());
  EXPECT_EQ(view.heading, "Installation...");
  EXPECT_EQ(view.pumps, 0);
}

TEST_F(ExtractionDriverTest, ModesTestAndPrint) {
  struct ModeCase {
    int mode;
    int operation;
    const char *status; // of entry a.bin
  };
  const ModeCase cases[] = {
      {0, RAR_EXTRACT, "Extracting a.bin"},
      {1, RAR_TEST, "Testing    a.bin"},
      {2, RAR_TEST, "Printing   a.bin"},
      {3, RAR_TEST, "- press [extract] button when ready -"}, // unknown: nothing shown
  };
  for (const ModeCase &c : cases) {
    ScriptedArchive script;
    library = &script;
    view = RecordingView{};
    std::vector<std::string> statuses;
    auto record = [&](size_t) { statuses.push_back(view.status); };
    script.entries = {{"a.bin", 1, {1}, 0, record}, {"b.bin", 1, {1}, 0, record}};
    Run(c.mode);
    std::string b = c.mode == 3 ? c.status : std::string(c.status, 11) + "b.bin";
    EXPECT_EQ(statuses, std::vector<std::string>({c.status, b})) << c.mode;
    EXPECT_EQ(script.operations, std::vector<int>(2, c.operation)) << c.mode;
  }
}

TEST_F(ExtractionDriverTest, MissingLibraryIsReportedInABox) {
  Application->Initialize(); // the window that carries the title
  Application->SetTitle("Installer");
  UnrarDll missing("no-such-unrar.dll");
  library = &missing;
  Run();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("Cannot load no-such-unrar.dll (error ", 0), 0u) << boxes[0].text;
  EXPECT_EQ(boxes[0].caption, "Installer");
  ExpectFailedRun("- press [extract] button when ready -", ExtractionOutcome::LibraryUnusable);
}

// Names come from the wide field, in the ANSI code page; the narrow field
// holds the OEM form ("caf\x82" is café in code page 437).
TEST_F(ExtractionDriverTest, StatusShowsTheWideName) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "expectations written for ANSI code page 1252, not " << GetACP();
  struct NameCase {
    const char *narrow;
    const wchar_t *wide; // nullptr: the wide field left empty
    const char *shown;
  };
  const NameCase cases[] = {
      {"caf\x82.txt", L"caf\u00e9.txt", "Extracting caf\xe9.txt"},
      {"??????.txt", L"\u041f\u0440\u0438\u0432\u0435\u0442.txt", "Extracting ??????.txt"},
      {"???.txt", L"\u65e5\u672c\u8a9e.txt", "Extracting ???.txt"},
      {"A.txt", L"\u0100.txt", "Extracting ?.txt"}, // no look-alike "A"
      {" x\\y.txt ", L"\t x\\\u00fc.txt \r\n", "Extracting x\\\xfc.txt"},
      {" old.txt\t", nullptr, "Extracting old.txt"},
  };
  std::vector<std::string> statuses;
  for (const NameCase &c : cases) {
    rar.entries.emplace_back(c.narrow, 1, std::vector<int>{1}, 0,
                             [&](size_t) { statuses.push_back(view.status); });
    if (c.wide)
      rar.entries.back().wideName = c.wide;
    else
      rar.entries.back().noWideName = true;
  }
  Run();
  ASSERT_EQ(statuses.size(), std::size(cases));
  for (size_t i = 0; i < statuses.size(); ++i)
    EXPECT_EQ(statuses[i], cases[i].shown) << i;
}

// The conversion itself, in code pages chosen by the test: a name comes
// out right wherever the code page has its characters.
TEST(WideToCodePage, NamesInTheirCodePages) {
  struct Case {
    const wchar_t *text;
    unsigned codePage;
    const char *bytes;
  };
  const Case cases[] = {
      {L"\u041f\u0440\u0438\u0432\u0435\u0442.txt", 1251, "\xcf\xf0\xe8\xe2\xe5\xf2.txt"},
      {L"\u041f\u0440\u0438\u0432\u0435\u0442.txt", 866, "\x8f\xe0\xa8\xa2\xa5\xe2.txt"},
      {L"\u041f\u0440\u0438\u0432\u0435\u0442.txt", 1252, "??????.txt"},
      {L"\u65e5\u672c\u8a9e.txt", 932, "\x93\xfa\x96\x7b\x8c\xea.txt"},
      {L"\u65e5\u672c\u8a9e.txt", 1252, "???.txt"},
      {L"caf\u00e9", 1252, "caf\xe9"},
      {L"caf\u00e9", 437, "caf\x82"},
      {L"\u0100\u0107", 1252, "??"}, // no best fit: never a look-alike letter
      {L"\u00e9\u65e5", CP_UTF8, "\xc3\xa9\xe6\x97\xa5"},
      {L"", 1252, ""},
  };
  for (const Case &c : cases)
    EXPECT_EQ(WideToCodePage(c.text, wcslen(c.text) + 1, c.codePage), c.bytes)
        << c.codePage << " " << c.bytes;
  const wchar_t unterminated[3] = {L'a', L'b', L'c'};
  EXPECT_EQ(WideToCodePage(unterminated, 2, 1252), "ab") << "never past the field";
}

} // namespace
