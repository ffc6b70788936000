#include "ExtractionHarness.h"

#include "extract/ExtractArchive.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form4.h"

void ExtractionHarness::ForwardShellCalls() {
  shell_.Forward();
}

ExtractionHarness::ExtractionHarness() {
  SetExtractionClock([this] { return clockNow += clockStep; });
}

ExtractionHarness::~ExtractionHarness() {
  SetExtractionLibrary(nullptr);
  SetExtractionClock(nullptr);
}

void ExtractionHarness::OpenDialog(const std::string &archive, const std::string &regFile) {
  std::vector<std::string> lines = StandardIniLines();
  lines[5] = archive;
  lines[7] = regFile;
  WriteRelease(lines);
  ASSERT_TRUE(StartInstaller()) << startError;
  release.MakeFolder("target");
  Form2->DirectoryListBox1.SetDirectory(Target());
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
