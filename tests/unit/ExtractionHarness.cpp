#include "ExtractionHarness.h"

#include <shellapi.h>

#include "extract/ExtractArchive.h"
#include "extract/ExtractionDialog.h"
#include "shell/SplashWindow.h"

std::vector<ShellCall> shellCalls;

namespace {
bool forwardShellCalls = false;

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder,
                             INT show) {
  shellCalls.push_back({owner == nullptr, verb ? verb : "<null>", file ? file : "<null>",
                        parameters ? parameters : "<null>", folder ? folder : "<null>", show});
  if (forwardShellCalls)
    return ShellExecuteA(owner, verb, file, parameters, folder, show);
  return reinterpret_cast<HINSTANCE>(42);
}
} // namespace

ExtractionHarness::ExtractionHarness() {
  shellCalls.clear();
  forwardShellCalls = false;
  SetShellExecute(RecordShell);
}

void ExtractionHarness::ForwardShellCalls() {
  forwardShellCalls = true;
}

ExtractionHarness::~ExtractionHarness() {
  SetShellExecute(nullptr);
  SetExtractionLibrary(nullptr);
}

void ExtractionHarness::OpenDialog(const std::string &archive, const std::string &regFile) {
  std::vector<std::string> lines = StandardIniLines();
  lines[5] = archive;
  lines[7] = regFile;
  WriteRelease(lines);
  ASSERT_TRUE(StartInstaller()) << startError;
  release.MakeFolder("target");
  ASSERT_TRUE(SetCurrentDirectoryA(Target().c_str()));
  Form4->Show();
  Form1->SetEnabled(false);
  Pump();
}

void ExtractionHarness::ClickExtract() {
  Click(*Form4, 50, 107);
}

void ExtractionHarness::ClickCancel() {
  Click(*Form4, 190, 107);
}

void ExtractionHarness::ExpectFailedRun(const std::string &status) {
  EXPECT_EQ(Form4->Label1.Caption(), status);
  EXPECT_TRUE(Form4->Visible());
  EXPECT_FALSE(Form4->Label2.Enabled());
  EXPECT_FALSE(Form1->Enabled());
  EXPECT_EQ(CurrentDirectory(), Target());
  EXPECT_TRUE(shellCalls.empty());
}

void ExtractionHarness::ExpectCompletedRun() {
  EXPECT_FALSE(Form4->Visible());
  EXPECT_FALSE(Form4->Label2.Enabled());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_EQ(CurrentDirectory(), release.Root());
}
