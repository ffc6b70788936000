// The text viewer through the splash window's two file commands: the line
// rules, what each failure leaves behind, and where the window goes.
#include <windows.h>

#include "InstallerFixture.h"
#include "shell/Form1.h"
#include "shell/Form5.h"

namespace {

class TextViewerTest : public InstallerFixture {
protected:
  void SetUp() override {
    WriteRelease(StandardIniLines()); // NOTES.NFO and FILE_ID.DIZ
    ASSERT_TRUE(StartInstaller()) << startError;
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (size_t i = 0; i < Form5->Memo1.LineCount(); ++i)
      lines.push_back(Form5->Memo1.Line(i));
    return lines;
  }

  // Pressing the notes label and letting go over it.
  void ClickNotes() {
    Click(*Form1, 53, 339);
    Pump();
  }
};

TEST_F(TextViewerTest, LineRulesOfTheConfigurationReader) {
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"one\r\ntwo\r\n", {"one", "two"}},
      {"one\r\ntwo", {"one", "two"}},
      {"one\r\n\r\ntwo\r\n", {"one", "", "two"}},
      {"last empty\r\n\r\n", {"last empty", ""}},
      {"cr\ronly\r", {"cr", "only"}},
      {"lf\nalone\nstays\n", {"lf\nalone\nstays\n"}},
      {"before\r\n\x1A"
       "after\r\n",
       {"before"}},
      {"cut\x1Ahere", {"cut"}},
      {"", {}},
      {"\r\n", {""}},
      {std::string("zero\0byte\x01\x7F\xDB\r\n", 14), {std::string("zero\0byte\x01\x7F\xDB", 12)}},
  };
  for (const auto &c : cases) {
    release.WriteFile("NOTES.NFO", c.bytes);
    ClickNotes();
    EXPECT_EQ(Lines(), c.lines) << testing::PrintToString(c.bytes);
    EXPECT_TRUE(Form5->Visible());
    EXPECT_EQ(Form5->Caption(), "Showing NOTES.NFO");
  }
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(Form1->Enabled()) << "the viewer never disables the splash window";
}

TEST_F(TextViewerTest, NothingOfALongFileIsCutAndTheViewOpensAtTheTop) {
  std::string text, longLine(1 << 20, 'x');
  for (int i = 0; i < 5000; ++i)
    text += "line " + std::to_string(i) + " \xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD\r\n";
  text += longLine; // a megabyte without a line break
  release.WriteFile("NOTES.NFO", text);
  ClickNotes();
  ASSERT_EQ(Form5->Memo1.LineCount(), 5001u);
  EXPECT_EQ(Form5->Memo1.Line(4999), "line 4999 \xCD\xCD\xCD\xCD\xCD\xCD\xCD\xCD");
  EXPECT_EQ(Form5->Memo1.Line(5000), longLine);
  EXPECT_EQ(Form5->Memo1.TopLine(), 0u);
  EXPECT_EQ(Form5->Memo1.CaretPos(), TMemoPos{});

  // Scrolled away, then the other file: at the top again.
  Form5->Memo1.SetTopLine(3000);
  EXPECT_EQ(Form5->Memo1.TopLine(), 3000u);
  release.WriteFile("FILE_ID.DIZ", "description\r\n");
  Form1->Label6Click();
  EXPECT_EQ(Lines(), std::vector<std::string>{"description"}) << "one file at a time";
  EXPECT_EQ(Form5->Caption(), "Showing FILE_ID.DIZ");
  EXPECT_EQ(Form5->Memo1.TopLine(), 0u);
}

TEST_F(TextViewerTest, NoFileEndsTheCommandSilently) {
  release.MakeFolder("FOLDER.NFO");
  release.WriteFile("FILE_ID.DIZ", "shown\r\n");
  for (const char *name : {"MISSING.NFO", "", "FOLDER.NFO"}) {
    Form1->Label5.SetCaption(name);
    Form1->Label5Click();
    EXPECT_FALSE(Form5->Visible()) << "a hidden viewer stays hidden: '" << name << "'";
    EXPECT_EQ(Form5->Caption(), "Form5");
  }
  Form1->Label6Click();
  ASSERT_TRUE(Form5->Visible());
  for (const char *name : {"MISSING.NFO", "", "FOLDER.NFO"}) {
    Form1->Label6Click();
    Form1->Label5.SetCaption(name);
    Form1->Label5Click();
    EXPECT_TRUE(Form5->Visible()) << "a visible viewer stays visible: '" << name << "'";
    EXPECT_EQ(Form5->Memo1.LineCount(), 0u) << "but empty";
    EXPECT_EQ(Form5->Caption(), "Showing FILE_ID.DIZ") << "with its former caption";
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TextViewerTest, DeletedWhileShownLeavesTheViewerOpenAndEmpty) {
  std::string path = release.WriteFile("NOTES.NFO", "art\r\n");
  ClickNotes();
  ASSERT_EQ(Form5->Memo1.LineCount(), 1u);
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  ClickNotes();
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Form5->Memo1.LineCount(), 0u);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(TextViewerTest, AnOpenErrorIsReportedAndTheViewerNotShown) {
  std::string path = release.WriteFile("NOTES.NFO", "locked\r\n");
  // Another program holds the file with no sharing: the open fails.
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ClickNotes();
  CloseHandle(holder);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "I/O error 32.");
  EXPECT_EQ(boxes[0].caption, "Installer");
  EXPECT_FALSE(Form5->Visible());
  EXPECT_EQ(Form5->Caption(), "Showing NOTES.NFO") << "set before the file is opened";

  // The next try starts clean and succeeds.
  ClickNotes();
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(Form5->Visible());
  EXPECT_EQ(Lines(), std::vector<std::string>{"locked"});
}

TEST_F(TextViewerTest, CentredFirstThenAtTheTopEdgeWhereverItWasMoved) {
  release.WriteFile("NOTES.NFO", "notes\r\n");
  release.WriteFile("FILE_ID.DIZ", "diz\r\n");
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  ClickNotes();
  RECT rect;
  GetWindowRect(Form5->Handle(), &rect);
  EXPECT_EQ(rect.top, 17);
  EXPECT_EQ(rect.bottom - rect.top, screenHeight - 35);
  EXPECT_EQ(rect.left, (screenWidth - (rect.right - rect.left)) / 2);
  EXPECT_EQ(Form5->ClientWidth(), 652);
  EXPECT_EQ(Form5->Memo1.Height(), screenHeight - 35 - 30);
  EXPECT_EQ(Form5->Memo1.Width(), 651);

  Form1->Label6Click();
  GetWindowRect(Form5->Handle(), &rect);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.left, (screenWidth - (rect.right - rect.left)) / 2);

  // The user drags it; the next command keeps the left edge.
  SetWindowPos(Form5->Handle(), nullptr, 40, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Form1->Label5Click();
  GetWindowRect(Form5->Handle(), &rect);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.bottom - rect.top, screenHeight - 35);
}

TEST_F(TextViewerTest, TheCloseBoxOnlyHidesTheViewer) {
  release.WriteFile("NOTES.NFO", "notes\r\n");
  ClickNotes();
  SendMessageA(Form5->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(Form5->Visible());
  EXPECT_TRUE(IsWindow(Form5->Handle()));
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Form5->Memo1.LineCount(), 1u) << "kept until the next command";
}

} // namespace
