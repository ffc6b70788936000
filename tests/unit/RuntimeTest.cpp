// The GUI runtime on a small form of its own: clicks, capture, exceptions
// caught around handlers, the two report boxes.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/Application.h"
#include "runtime/ErrorReport.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/LibraryFunction.h"

namespace {

class TTestForm : public TForm {
public:
  TTestForm() : TForm("TTestForm", {200, 100, RGB(0, 0, 0), TBorderStyle::None, "Test", true}) {
    Under.Apply({"Under", 0, 0, 200, 100, "", {}});
    Button.Apply({"Button", 10, 10, 50, 20, "press", {}});
    Hidden.Apply({"Hidden", 10, 10, 50, 20, "hidden", {}, TAlignment::Left, loHidden});
    Button.OnClick = [this] { ++clicks; };
    Button.OnMouseDown = [this](const TMouseEvent &e) { downs.push_back(e.button); };
    Under.OnClick = [this] { ++underClicks; };
  }
  void FormCreate() override {
    if (failCreate)
      throw EConvertError("creation failed");
  }
  TLabel Under{this};
  TLabel Button{this};
  TLabel Hidden{this}; // on top, but hidden: never hit
  int clicks = 0, underClicks = 0;
  std::vector<TMouseButton> downs;
  static inline bool failCreate = false;
};

class RuntimeTest : public ::testing::Test {
protected:
  RuntimeTest() {
    app.Initialize();
    app.SetTitle("Installer");
    app.SetMessageBoxHook([this](const std::string &text, const std::string &caption, UINT style) {
      texts.push_back(text);
      captions.push_back(caption);
      styles.push_back(style);
      return IDOK;
    });
  }
  void Send(UINT message, int x, int y) {
    SendMessageA(form->Handle(), message, 0, MAKELPARAM(x, y));
  }
  TApplication app;
  TTestForm *form = nullptr;
  std::vector<std::string> texts, captions;
  std::vector<UINT> styles;
};

TEST_F(RuntimeTest, AClickIsPressAndReleaseOverTheSameControl) {
  app.CreateForm(form);
  form->Show();
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 25, 18);
  EXPECT_EQ(form->clicks, 1);

  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_MOUSEMOVE, 150, 80);
  Send(WM_LBUTTONUP, 150, 80); // released elsewhere
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(form->underClicks, 0) << "the release belongs to the pressed control";

  Send(WM_RBUTTONDOWN, 20, 15);
  Send(WM_RBUTTONUP, 20, 15);
  EXPECT_EQ(form->clicks, 1) << "only the left button clicks";
  ASSERT_EQ(form->downs.size(), 3u);
  EXPECT_EQ(form->downs[2], TMouseButton::Right);

  form->Button.SetEnabled(false);
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  EXPECT_EQ(form->clicks, 1) << "a disabled label ignores clicks";
  EXPECT_EQ(form->underClicks, 1) << "the press goes to the control under it";
}

TEST_F(RuntimeTest, SendToBackChangesPaintAndHitOrder) {
  app.CreateForm(form);
  form->Show();
  form->Button.SendToBack(); // now beneath the full-size label
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  EXPECT_EQ(form->clicks, 0);
  EXPECT_EQ(form->underClicks, 1);
  EXPECT_EQ(form->Controls().front(), &form->Button);
}

TEST_F(RuntimeTest, ExceptionsInHandlersAreReportedAndTheProgramGoesOn) {
  app.CreateForm(form);
  form->Show();
  form->Button.OnClick = [] { throw EInOutError("File access denied", 5); };
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "File access denied.");
  EXPECT_EQ(captions[0], "Installer") << "read back from the application window";
  EXPECT_EQ(styles[0], static_cast<UINT>(MB_OK | MB_ICONERROR));

  form->Button.OnClick = [] { throw Exception("Already a sentence."); };
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  form->Button.OnClick = [] { throw Exception(""); };
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  form->Button.OnClick = [] { throw EAbort("silent"); };
  Send(WM_LBUTTONDOWN, 20, 15);
  Send(WM_LBUTTONUP, 20, 15);
  ASSERT_EQ(texts.size(), 3u) << "EAbort shows nothing";
  EXPECT_EQ(texts[1], "Already a sentence..");
  EXPECT_EQ(texts[2], ".");

  // A press whose handler fails loses the capture; the next click works.
  form->Button.OnMouseDown = [](const TMouseEvent &) { throw Exception("down"); };
  Send(WM_LBUTTONDOWN, 20, 15);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(RuntimeTest, CreationHandlerFailureIsReportedAndTheFormStillExists) {
  TTestForm::failCreate = true;
  app.CreateForm(form);
  TTestForm::failCreate = false;
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "creation failed.");
  EXPECT_EQ(app.MainForm(), form);
}

TEST_F(RuntimeTest, MessageBoxDisablesTheOtherWindowsWhileUp) {
  app.CreateForm(form);
  form->Show();
  bool enabledDuring = true;
  app.SetMessageBoxHook([&](const std::string &, const std::string &, UINT) {
    enabledDuring = IsWindowEnabled(form->Handle()) != FALSE;
    return IDCANCEL;
  });
  EXPECT_EQ(app.MessageBox("Insert disk", "Request", MB_OKCANCEL), IDCANCEL);
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));

  form->SetEnabled(false); // a window disabled before stays disabled
  app.MessageBox("x", "y", MB_OK);
  EXPECT_FALSE(IsWindowEnabled(form->Handle()));
}

TEST(ProgramReport, TextNamesClassModuleAddressAndMessage) {
  HMODULE self = GetModuleHandleA(nullptr);
  const char *address = reinterpret_cast<const char *>(self) + 0x1234;
  EXPECT_EQ(ProgramErrorText("EMCIDeviceError", "The specified file was not found", address),
            "Exception EMCIDeviceError in module RuntimeTest.exe at 00001234.\n"
            "The specified file was not found.");
  EXPECT_EQ(ProgramErrorText("Exception", "Ends with a stop.", address),
            "Exception Exception in module RuntimeTest.exe at 00001234.\nEnds with a stop.")
      << "the stop is not doubled";
  EXPECT_EQ(ProgramErrorText("Exception", "", address),
            "Exception Exception in module RuntimeTest.exe at 00001234.\n");
  std::string longText = ProgramErrorText("Exception", std::string(3000, 'x'), address);
  EXPECT_EQ(longText.size(), 1023u);
}

TEST(ProgramReport, RaisedExceptionsKnowWhereTheyCameFrom) {
  try {
    throw EMCIDeviceError("x");
  } catch (const Exception &e) {
    std::string text = ProgramErrorText(e.ClassName(), e.Message(), e.Address());
    EXPECT_EQ(text.rfind("Exception EMCIDeviceError in module RuntimeTest.exe at ", 0), 0u) << text;
  }
}

// System libraries come from the system folder alone: a library beside the
// program (planted.dll and unrar.dll lie beside this test) is not one, and
// once the search is restricted not even a bare name finds it.
TEST(LibrarySearch, OnlyTheSystemFolderAnswers) {
  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  const struct {
    const char *name;
    bool found;
  } rows[] = {{"winmm.dll", true},
              {"mpr.dll", true},
              {"oleacc.dll", true},
              {"planted.dll", false},
              {"unrar.dll", false}};
  for (const auto &row : rows) {
    HMODULE library = SystemLibrary(row.name);
    EXPECT_EQ(library != nullptr, row.found) << row.name;
    char path[MAX_PATH] = "";
    if (!library || !GetModuleFileNameA(library, path, MAX_PATH))
      continue;
    std::string folder = std::string(path).substr(0, std::string(path).find_last_of('\\'));
    EXPECT_EQ(lstrcmpiA(folder.c_str(), system), 0) << path;
  }
  RestrictLibrarySearch();
  EXPECT_EQ(LoadLibraryA("planted.dll"), nullptr);
}

} // namespace
