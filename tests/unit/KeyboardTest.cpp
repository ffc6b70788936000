// Every window by keyboard alone: the focus order and its keys, activation
// like a push button, Escape and Alt+F4. The accessible tree is read across
// processes by the end-to-end test e2e.keyboard-road.
#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <string>
#include <vector>

#include "InstallerFixture.h"
#include "Picture.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"
#include "shell/Form5.h"
#include "shell/Form6.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kSilver = RGB(192, 192, 192), kRed = RGB(255, 0, 0);
constexpr LPARAM kRepeat = 1 << 30, kAlt = 1 << 29;

class KeyboardTest : public InstallerFixture {
protected:
  void SetUp() override {
    WriteRelease(StandardIniLines());
    release.WriteFile("NOTES.NFO", "notes\r\n");
    ASSERT_TRUE(StartInstaller()) << startError;
    Form1->Show();
    Pump();
  }
  // A key as the focused window gets it: down (with lParam bits), up.
  void Down(WPARAM key, LPARAM bits = 0) { Post(WM_KEYDOWN, key, bits); }
  void Up(WPARAM key) { Post(WM_KEYUP, key, 1u << 31 | 1 << 30); }
  void Key(WPARAM key, bool shift = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    Down(key);
    Up(key);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }
  // One letter a key: t Tab, T Shift+Tab, u d l r arrows, e Escape, newline
  // Enter, blank Space.
  void Keys(const std::string &keys) {
    const std::string letters = "tTudlre\n ";
    const WPARAM codes[] = {VK_TAB,   VK_TAB,    VK_UP,     VK_DOWN, VK_LEFT,
                            VK_RIGHT, VK_ESCAPE, VK_RETURN, VK_SPACE};
    for (char key : keys)
      Key(codes[letters.find(key)], key == 'T');
  }
  void Post(UINT message, WPARAM key, LPARAM bits) {
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard";
    PostMessageA(focus, message, key, 1 | bits);
    Pump();
  }
  // The name of what has the keyboard in `form`.
  static std::string Focused(TForm &form) {
    if (TLabel *command = form.Keyboard().FocusedCommand())
      return command->Name();
    for (TWinControl *control : form.Keyboard().Design().Controls())
      if (control->HandleAllocated() &&
          (control->Handle() == GetFocus() || IsChild(control->Handle(), GetFocus())))
        return control->Name();
    return "-";
  }
  void OpenFolderDialog() {
    Keys("\n");
    ASSERT_TRUE(Form2->Visible());
  }
};

struct OrderCase {
  const char *keys;            // typed after the window took the keyboard
  const char *expected;        // what then has the focus
  const char *shown = nullptr; // and the text it shows, when given
};

TEST_F(KeyboardTest, SplashWindowOrderWrapsBothWays) {
  const OrderCase cases[] = {
      {"", "Label4"},     {"t", "Label5"}, {"tt", "Label6"}, {"ttt", "Label3"},
      {"tttt", "Label4"}, {"T", "Label3"}, {"d", "Label5"},  {"u", "Label3"},
      {"ddu", "Label5"},  {"r", "Label4"}, // Left and Right belong to the dialogs
  };
  for (const OrderCase &c : cases) {
    Form1->Keyboard().Focus(&Form1->Label4);
    Keys(c.keys);
    EXPECT_EQ(Focused(*Form1), c.expected) << "keys " << c.keys;
  }
}

TEST_F(KeyboardTest, DialogOrdersWindowedControlsFirstThenTheCommandRow) {
  OpenFolderDialog();
  auto check = [](TForm &form, const OrderCase &c) {
    EXPECT_EQ(Focused(form), c.expected) << "keys " << c.keys;
    char text[MAX_PATH] = "";
    GetWindowTextA(GetFocus(), text, sizeof text);
    EXPECT_STREQ(c.shown ? text : nullptr, c.shown) << "keys " << c.keys;
  };
  // Left and Right are the drive box's own: the next drive and back.
  const TDriveComboBox &drives = Form2->DriveComboBox1;
  ASSERT_LT(drives.ItemIndex() + 1, drives.ItemCount()) << "a drive after the start's";
  std::string here = drives.ItemText(drives.ItemIndex()),
              next = drives.ItemText(drives.ItemIndex() + 1);
  const OrderCase folder[] = {{"", "DriveComboBox1", here.c_str()},
                              {"r", "DriveComboBox1", next.c_str()},
                              {"l", "DriveComboBox1", here.c_str()},
                              {"t", "DirectoryListBox1"},
                              {"t", "Label1"},
                              {"r", "Label3"},
                              {"r", "Label2"},
                              {"r", "Label1"},
                              {"l", "Label2"},
                              {"t", "DriveComboBox1"},
                              {"T", "Label2"}};
  for (const OrderCase &c : folder) {
    Keys(c.keys);
    check(*Form2, c);
  }
  Keys("l\n"); // makedir
  ASSERT_TRUE(Form3->Visible());
  Form3->Edit1.SetText("MyApp");
  // In the name the caret moves and Space types a blank.
  const OrderCase name[] = {
      {"", "Edit1"}, {"rrrl ", "Edit1", "My App"}, {"t", "Label2"}, {"r", "Label3"}, {"t", "Edit1"},
  };
  for (const OrderCase &c : name) {
    Keys(c.keys);
    check(*Form3, c);
  }
  DWORD start = 1, end = 0;
  SendMessageA(Form3->Edit1.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, Form3->Edit1.Text().size()) << "Tab selects the name, so typing replaces it";
}

TEST_F(KeyboardTest, FocusLookOnlyOnceTheKeyboardWasUsed) {
  EXPECT_EQ(Focused(*Form1), "Label4");
  EXPECT_FALSE(Form1->Keyboard().CuesShown());
  EXPECT_EQ(Form1->Label4.FontColor(), kWhite) << "a pointer user sees today's window";
  EXPECT_EQ(Form1->Label12.Caption(), " ");
  Keys("d");
  EXPECT_EQ(Form1->Label4.FontColor(), kWhite);
  EXPECT_EQ(Form1->Label5.FontColor(), kSilver);
  EXPECT_EQ(Form1->Label12.Caption(), "this button displays the .NFO file!");
  Down(VK_RETURN);
  EXPECT_EQ(Form1->Label5.FontColor(), kRed) << "pressed while the key is down";
  EXPECT_FALSE(Form5->Visible()) << "a push button acts when the key goes up";
  Up(VK_RETURN);
  EXPECT_TRUE(Form5->Visible());
}

// The drive box takes the keyboard as the folder dialog opens, and shows it
// (the selected drive in the highlight colour) only once a key was pressed
// or its list was dropped down: opened by the pointer, the dialog looks as
// before.
TEST_F(KeyboardTest, DriveBoxShowsItsFocusOnlyOnceUsed) {
  auto boxColour = [] {
    HWND box = Form2->DriveComboBox1.Handle();
    RECT client;
    GetClientRect(box, &client);
    // Right of the drive's text, left of the drop-down button.
    return Picture::OfWindow(box).At(client.right - 30, client.bottom / 2);
  };
  Form1->Label4Click(); // as a click opens it
  Pump();
  ASSERT_EQ(Focused(*Form2), "DriveComboBox1");
  EXPECT_EQ(boxColour(), GetSysColor(COLOR_WINDOW)) << "focused by the opening alone";
  Keys("tT");
  ASSERT_EQ(Focused(*Form2), "DriveComboBox1");
  EXPECT_EQ(boxColour(), GetSysColor(COLOR_HIGHLIGHT)) << "focused once the keyboard is used";
}

TEST_F(KeyboardTest, AutoRepeatActivatesOncePerPress) {
  Keys("u"); // quit
  Down(VK_SPACE);
  Down(VK_SPACE, kRepeat);
  Down(VK_SPACE, kRepeat);
  Up(VK_SPACE);
  ASSERT_TRUE(Form6->Visible());
  Keys("e"); // cancel
  EXPECT_FALSE(Form6->Visible());
  EXPECT_TRUE(Form1->Enabled());
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Focused(*Form1), "Label3") << "the focus comes back where it was";
}

struct EscapeCase {
  const char *road; // keys from the splash window to the dialog
  TForm *(*dialog)();
  const char *arrived; // what has the focus in the dialog then
  TForm *(*back)();    // the window shown and enabled after Escape
  const char *focus;   // what has the focus there: the command that opened the dialog
};

TEST_F(KeyboardTest, EscapeStepsBackFromEveryDialog) {
  auto form1 = []() -> TForm * { return Form1; };
  // In this order: a dialog shown again starts at its first entry, whatever
  // had the focus when it went.
  const EscapeCase cases[] = {
      {"\nt", []() -> TForm * { return Form2; }, "DirectoryListBox1", form1, "Label4"},
      {"\n", []() -> TForm * { return Form2; }, "DriveComboBox1", form1, "Label4"},
      {"\nttr\n", []() -> TForm * { return Form3; }, "Edit1", []() -> TForm * { return Form2; },
       "Label3"},
      {"\ntt\n", []() -> TForm * { return Form4; }, "Label2", form1, "Label4"},
      {"u\n", []() -> TForm * { return Form6; }, "Label4", form1, "Label3"},
      {"dd\n", []() -> TForm * { return Form5; }, "Memo1", form1, "Label5"},
  };
  for (const EscapeCase &c : cases) {
    Keys(c.road);
    ASSERT_TRUE(c.dialog()->Visible()) << c.road;
    EXPECT_EQ(Focused(*c.dialog()), c.arrived) << c.road;
    Keys("e");
    EXPECT_FALSE(c.dialog()->Visible()) << c.road;
    EXPECT_TRUE(c.back()->Visible() && c.back()->Enabled()) << c.road;
    EXPECT_EQ(Focused(*c.back()), c.focus) << c.road;
    while (Form2->Visible())
      Keys("e");
  }
  Keys("e");
  EXPECT_TRUE(Form1->Visible() && Form1->Enabled()) << "Escape does nothing on the splash window";
  EXPECT_FALSE(Form6->Visible());
}

TEST_F(KeyboardTest, AltF4AsksFirstOnTheSplashWindowAndCancelsADialog) {
  Post(WM_SYSKEYDOWN, VK_F4, kAlt);
  ASSERT_TRUE(Form6->Visible()) << "the closing dialog asks first";
  EXPECT_FALSE(Application->Terminated());
  Post(WM_SYSKEYDOWN, VK_F4, kAlt);
  EXPECT_FALSE(Form6->Visible());
  EXPECT_TRUE(Form1->Enabled());
  SendMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(Application->Terminated()) << "a plain close still ends the program";
}

TEST_F(KeyboardTest, EnterInTheNameBoxIsOkAndKeysGoNowhereWhileDisabled) {
  OpenFolderDialog();
  Keys("ttr\n");
  ASSERT_TRUE(Form3->Visible());
  Form3->Edit1.SetText("typed");
  Keys("\n");
  EXPECT_TRUE(Form2->Visible());
  EXPECT_NE(GetFileAttributesA(release.Path("typed").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Focused(*Form2), "Label3") << "back on makedir";

  // The splash window under the folder dialog takes no keys.
  PostMessageA(Form1->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(Form1->Handle(), WM_KEYUP, VK_RETURN, 1u << 31 | 1 << 30 | 1);
  Pump();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Enabled());
  Keys("T\n"); // Shift+Tab from makedir is [ ok
  EXPECT_TRUE(Form4->Visible());
}

TEST_F(KeyboardTest, WhileExtractDisabledKeysReachOnlyCancel) {
  Keys("\ntt\n");
  ASSERT_TRUE(Form4->Visible());
  EXPECT_EQ(Focused(*Form4), "Label2");
  Form4->Label2.SetEnabled(false); // as while a run goes on
  const OrderCase cases[] = {{"", "Label4"}, {"t", "Label4"}, {"l", "Label4"}, {"T", "Label4"}};
  for (const OrderCase &c : cases) {
    Keys(c.keys);
    EXPECT_EQ(Focused(*Form4), c.expected) << "keys " << c.keys;
  }
  Keys(" ");
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(Form1->Enabled());
}

// What a screen reader may ask with ids from an older tree or from anyone:
// refused, never read outside the tree; and once the window is gone,
// answered as disconnected.
TEST_F(KeyboardTest, AccessibleObjectRefusesIdsThatNameNothing) {
  OpenFolderDialog(); // texts, windowed controls and commands
  IAccessible *object = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(Form2->Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void **>(&object)),
            S_OK);
  LONG count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  auto id = [](long value, VARTYPE type = VT_I4) {
    VARIANT child{};
    child.vt = type;
    child.lVal = value;
    return child;
  };
  VARIANT out;
  BSTR text = nullptr;
  IDispatch *dispatch = nullptr;
  LONG x, y, w, h;
  const std::pair<const char *, std::function<HRESULT(VARIANT)>> calls[] = {
      {"name", [&](VARIANT c) { return object->get_accName(c, &text); }},
      {"role", [&](VARIANT c) { return object->get_accRole(c, &out); }},
      {"state", [&](VARIANT c) { return object->get_accState(c, &out); }},
      {"child", [&](VARIANT c) { return object->get_accChild(c, &dispatch); }},
      {"location", [&](VARIANT c) { return object->accLocation(&x, &y, &w, &h, c); }},
      {"default action", [&](VARIANT c) { return object->get_accDefaultAction(c, &text); }},
      {"do default action", [&](VARIANT c) { return object->accDoDefaultAction(c); }},
      {"value", [&](VARIANT c) { return object->get_accValue(c, &text); }},
      {"next", [&](VARIANT c) { return object->accNavigate(NAVDIR_NEXT, c, &out); }},
  };
  const std::pair<const char *, VARIANT> badIds[] = {{"-1", id(-1)},
                                                     {"past the end", id(count + 1)},
                                                     {"VT_EMPTY", id(1, VT_EMPTY)},
                                                     {"VT_I2", id(1, VT_I2)}};
  for (const auto &[what, call] : calls)
    for (const auto &[bad, child] : badIds)
      EXPECT_EQ(call(child), E_INVALIDARG) << what << " of " << bad;
  EXPECT_EQ(object->get_accChild(id(0), &dispatch), E_INVALIDARG) << "the window is no child";

  // The child an answer gives: 0 for none (S_FALSE, VT_EMPTY), -1 for anything else.
  auto given = [&](HRESULT result) {
    return result == S_OK && out.vt == VT_I4         ? out.lVal
           : result == S_FALSE && out.vt == VT_EMPTY ? 0
                                                     : -1;
  };
  EXPECT_EQ(given(object->accNavigate(NAVDIR_LASTCHILD, id(0), &out)), count);
  EXPECT_EQ(given(object->accNavigate(NAVDIR_NEXT, id(count), &out)), 0) << "after the last";
  EXPECT_EQ(given(object->accNavigate(NAVDIR_PREVIOUS, id(1), &out)), 0) << "before the first";
  EXPECT_EQ(given(object->accHitTest(-30000, -30000, &out)), 0) << "outside";
  ASSERT_EQ(object->get_accName(id(count), &text), S_OK);
  EXPECT_EQ(text, std::wstring(L"cancel"));
  SysFreeString(text);

  StopInstaller(); // the reader still holds the object
  for (const auto &[what, call] : calls)
    EXPECT_EQ(call(id(1)), RPC_E_DISCONNECTED) << what;
  object->Release();
}

TEST(CommandNameTest, BracketsAndPaddingGo) {
  const std::pair<const char *, const char *> cases[] = {
      {"[ ok", "ok"},
      {"[  ok", "ok"},
      {"cancel ]", "cancel"},
      {"[ extract", "extract"},
      {"makedir", "makedir"},
      {"  ", ""},
      {"[]", ""},
      {"a]b", "a]b"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(CommandName(c.first), c.second) << c.first;
}

} // namespace
