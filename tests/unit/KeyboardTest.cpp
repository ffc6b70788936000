// Every window by keyboard alone: the focus order and its keys, activation
// like a push button, Escape and Alt+F4, and what a screen reader reads.
#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "InstallerFixture.h"
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
  void Keys(const std::string &keys) {
    for (char key : keys)
      switch (key) {
      case 't':
        Key(VK_TAB);
        break;
      case 'T':
        Key(VK_TAB, true);
        break;
      case 'u':
        Key(VK_UP);
        break;
      case 'd':
        Key(VK_DOWN);
        break;
      case 'l':
        Key(VK_LEFT);
        break;
      case 'r':
        Key(VK_RIGHT);
        break;
      case 'e':
        Key(VK_ESCAPE);
        break;
      case '\n':
        Key(VK_RETURN);
        break;
      case ' ':
        Key(VK_SPACE);
        break;
      }
  }
  void Post(UINT message, WPARAM key, LPARAM bits) {
    HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard";
    PostMessageA(focus, message, key, 1 | bits);
    Pump();
  }
  // The name of what has the keyboard in `form`.
  static std::string Focused(TForm &form) {
    if (TGraphicControl *command = form.Keyboard().FocusedCommand())
      return command->Name();
    for (TControl *control : form.Controls())
      if (control->IsWindowed()) {
        auto *windowed = static_cast<TWinControl *>(control);
        if (windowed->HandleAllocated() &&
            (windowed->Handle() == GetFocus() || IsChild(windowed->Handle(), GetFocus())))
          return control->Name();
      }
    return "-";
  }
  void OpenFolderDialog() {
    Keys("\n");
    ASSERT_TRUE(Form2->Visible());
  }
};

struct OrderCase {
  const char *keys;     // typed after the window took the keyboard
  const char *expected; // what then has the focus
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
  const OrderCase folder[] = {
      {"", "DriveComboBox1"}, {"t", "DirectoryListBox1"},
      {"t", "Label1"},        {"r", "Label3"},
      {"r", "Label2"},        {"r", "Label1"},
      {"l", "Label2"},        {"t", "DriveComboBox1"},
      {"T", "Label2"},
  };
  for (const OrderCase &c : folder) {
    Keys(c.keys);
    EXPECT_EQ(Focused(*Form2), c.expected) << "keys " << c.keys;
  }
  Keys("l\n"); // makedir
  ASSERT_TRUE(Form3->Visible());
  const OrderCase name[] = {{"", "Edit1"}, {"t", "Label2"}, {"r", "Label3"}, {"t", "Edit1"}};
  for (const OrderCase &c : name) {
    Keys(c.keys);
    EXPECT_EQ(Focused(*Form3), c.expected) << "keys " << c.keys;
  }
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
  TForm *(*back)(); // the window shown and enabled after Escape
};

TEST_F(KeyboardTest, EscapeStepsBackFromEveryDialog) {
  const EscapeCase cases[] = {
      {"\n", []() -> TForm * { return Form2; }, []() -> TForm * { return Form1; }},
      {"\nttr\n", []() -> TForm * { return Form3; }, []() -> TForm * { return Form2; }},
      {"\ntt\n", []() -> TForm * { return Form4; }, []() -> TForm * { return Form1; }},
      {"u\n", []() -> TForm * { return Form6; }, []() -> TForm * { return Form1; }},
      {"dd\n", []() -> TForm * { return Form5; }, []() -> TForm * { return Form1; }},
  };
  for (const EscapeCase &c : cases) {
    Keys(c.road);
    ASSERT_TRUE(c.dialog()->Visible()) << c.road;
    Keys("e");
    EXPECT_FALSE(c.dialog()->Visible()) << c.road;
    EXPECT_TRUE(c.back()->Visible() && c.back()->Enabled()) << c.road;
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

  // The splash window under the folder dialog takes no keys.
  PostMessageA(Form1->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageA(Form1->Handle(), WM_KEYUP, VK_RETURN, 1u << 31 | 1 << 30 | 1);
  Pump();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_FALSE(Form1->Enabled());
}

// The tree a screen reader gets through the platform's interface.
struct Node {
  long role;
  std::string name;
  long state;
};

std::vector<Node> ReadTree(HWND window, std::string *windowName) {
  std::vector<Node> nodes;
  IAccessible *object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void **>(&object))))
    return nodes;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK) {
    *windowName = std::string(name, name + SysStringLen(name));
    SysFreeString(name);
  }
  LONG count = 0;
  object->get_accChildCount(&count);
  for (LONG id = 1; id <= count; ++id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    VARIANT role{}, state{};
    object->get_accRole(child, &role);
    object->get_accState(child, &state);
    std::string text;
    if (object->get_accName(child, &name) == S_OK && name) {
      text.assign(name, name + SysStringLen(name));
      SysFreeString(name);
    }
    nodes.push_back({role.lVal, text, state.lVal & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY)});
  }
  object->Release();
  return nodes;
}

TEST_F(KeyboardTest, ScreenReadersReadTextsAndCommands) {
  std::string windowName;
  std::vector<Node> splash = ReadTree(Form1->Handle(), &windowName);
  EXPECT_EQ(windowName, Form1->Label1.Caption());
  const long text = ROLE_SYSTEM_STATICTEXT, button = ROLE_SYSTEM_PUSHBUTTON;
  const long ro = STATE_SYSTEM_READONLY, focused = STATE_SYSTEM_FOCUSED;
  const std::vector<Node> expected = {
      {text, Form1->Label1.Caption(), ro},  {text, Form1->Label2.Caption(), ro},
      {text, Form1->Label11.Caption(), ro}, {text, "", ro},
      {button, "install", focused},         {button, "NOTES.NFO", 0},
      {button, Form1->Label6.Caption(), 0}, {button, "quit", 0},
  };
  ASSERT_EQ(splash.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(splash[i].role, expected[i].role) << i;
    EXPECT_EQ(splash[i].name, expected[i].name) << i;
    EXPECT_EQ(splash[i].state, expected[i].state) << i;
  }

  OpenFolderDialog();
  Keys("tt");
  std::vector<Node> folder = ReadTree(Form2->Handle(), &windowName);
  EXPECT_EQ(windowName, "Select a directory...");
  std::vector<std::string> names;
  for (const Node &node : folder)
    if (node.role == button)
      names.push_back(node.name + (node.state & focused ? "*" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"ok*", "makedir", "cancel"}));
  ASSERT_EQ(folder.size(), 5u + 2u + 3u) << "five texts, two lists, three commands";
  EXPECT_EQ(folder[0].name, "Select a directory...");
  EXPECT_EQ(folder[0].state, ro);
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
