// Two tables of the extraction run on a scripted library: the bar position
// after each data block (rounding at exact halves, empty and very large
// entries), and the registry step at the end: the exact parameter string
// handed to the editor, or no editor at all.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "ExtractionHarness.h"
#include "ScriptedArchive.h"
#include "extract/ExtractArchive.h"
#include "shell/Form1.h"
#include "shell/Form4.h"

namespace {

class ExtractionTablesTest : public ExtractionHarness {};

// The last position handed to a progress control of this thread: the
// control itself keeps only what lies within its range.
int lastPositionSent = -1;
LRESULT CALLBACK RecordPosition(int code, WPARAM wParam, LPARAM lParam) {
  auto *call = reinterpret_cast<CWPSTRUCT *>(lParam);
  if (code == HC_ACTION && call->message == PBM_SETPOS)
    lastPositionSent = static_cast<int>(call->wParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct BarRow {
  const char *what;
  uint64_t size;
  std::vector<int> blocks;
  std::vector<int> positions; // after each block
};

TEST_F(ExtractionTablesTest, BarPositionAfterEachBlock) {
  const uint64_t fourGigabytes = uint64_t(1) << 32;
  const BarRow rows[] = {
      {"eighths: halves go to the even neighbour",
       8,
       std::vector<int>(8, 1),
       {12, 25, 38, 50, 62, 75, 88, 100}},
      {"halves of one percent", 200, {1, 2, 2, 195}, {0, 2, 2, 100}},
      {"thirds", 3, {1, 1, 1}, {33, 67, 100}},
      {"an empty entry that gets data counts as one byte", 0, {3, 2}, {300, 500}},
      {"past 4 GB the high part counts",
       50 * fourGigabytes,
       {1 << 30, 1 << 30, 1 << 30},
       {0, 1, 2}},
      {"a percentage past the 32-bit range is held at its end", 1, {INT32_MAX}, {INT32_MAX}},
  };
  ScriptedArchive rar;
  std::vector<std::vector<int>> seen(std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i)
    rar.entries.emplace_back(std::to_string(i), rows[i].size, rows[i].blocks, 0,
                             [&seen, i](size_t) { seen[i].push_back(lastPositionSent); });
  SetExtractionLibrary(&rar);
  OpenDialog();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordPosition, nullptr, GetCurrentThreadId());
  ClickExtract();
  UnhookWindowsHookEx(hook);
  ExpectCompletedRun();
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(seen[i], rows[i].positions) << rows[i].what;
}

TEST_F(ExtractionTablesTest, TheLongestCommentTheBufferHoldsIsShownWhole) {
  ScriptedArchive rar; // copies as much of the comment as the driver's buffer takes
  rar.cmtState = RAR_CMT_READ;
  rar.comment = std::string(16383, 'c'); // and its zero byte: 16384
  SetExtractionLibrary(&rar);
  OpenDialog();
  ClickExtract();
  EXPECT_EQ(Form4->Label1.Caption(), "Comentario:" + rar.comment);
}

TEST_F(ExtractionTablesTest, RegistryFileNameReachesTheEditorAsOneQuotedArgument) {
  struct Row {
    std::string file, parameters; // "": no editor is started
    bool folder;                  // a folder of that name instead of a file
  };
  const Row rows[] = {
      {"demo.reg", "\"demo.reg\"", false},
      {"demo settings.reg", "\"demo settings.reg\"", false},
      {release.Path("sub dir\\x.reg"), "\"" + release.Path("sub dir\\x.reg") + "\"", false},
      {"settings.reg", "", true},
      {"missing.reg", "", false},
  };
  release.MakeFolder("sub dir");
  for (const Row &row : rows) {
    SCOPED_TRACE(row.file);
    ScriptedArchive rar;
    SetExtractionLibrary(&rar);
    shellCalls.clear();
    OpenDialog("demo.part1.rar", row.file);
    if (row.folder)
      release.MakeFolder(row.file);
    else if (!row.parameters.empty())
      release.WriteFile(row.file.find('\\') == std::string::npos ? row.file : "sub dir\\x.reg",
                        "REGEDIT4\r\n");
    ClickExtract();
    ExpectCompletedRun();
    if (row.parameters.empty()) {
      EXPECT_TRUE(shellCalls.empty());
    } else {
      ASSERT_EQ(shellCalls.size(), 1u);
      EXPECT_TRUE(shellCalls[0].noOwner);
      EXPECT_EQ(shellCalls[0].verb, "open");
      // The Windows folder's editor, never one beside the release.
      EXPECT_EQ(lstrcmpiA(shellCalls[0].file.c_str(), "C:\\windows\\regedit.exe"), 0)
          << shellCalls[0].file;
      EXPECT_EQ(shellCalls[0].parameters, row.parameters);
      EXPECT_EQ(shellCalls[0].folder, "");
      EXPECT_EQ(shellCalls[0].show, SW_SHOWNORMAL);
    }
    StopInstaller();
  }
}

} // namespace
