// The read-only memo on a form of its own: keys, mouse, selection and
// copying, sideways scrolling, and the OEM art drawn as blocks and lines.
#include <windows.h>

#include <gtest/gtest.h>

#include "Picture.h"
#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/Gdi.h"
#include "runtime/Memo.h"
#include "runtime/OemText.h"

namespace {

class TMemoForm : public TForm {
public:
  TMemoForm() : TForm("TMemoForm", {400, 200, RGB(0, 0, 0), TBorderStyle::None, "Memo", true}) {
    Memo.SetBounds(0, 0, 400, 200);
    Memo.SetFontHeight(12);
  }
  TMemo Memo{this};
};

class MemoTest : public ::testing::Test {
protected:
  MemoTest() {
    app.Initialize();
    app.SetMessageBoxHook([](const std::string &, const std::string &, UINT) { return IDOK; });
    app.CreateForm(form);
    form->Show();
    form->Memo.SetFocus();
  }
  ~MemoTest() override { SetModifiers(false, false); }

  void Fill(int count) {
    for (int i = 0; i < count; ++i)
      form->Memo.Add("line " + std::to_string(i));
  }
  void Key(WPARAM key, bool shift = false, bool control = false) {
    SetModifiers(shift, control);
    SendMessageA(form->Memo.Handle(), WM_KEYDOWN, key, 0);
    SetModifiers(false, false);
  }
  static void SetModifiers(bool shift, bool control) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void Mouse(UINT message, int x, int y) {
    SendMessageA(form->Memo.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, y));
  }
  std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
      return L"<no clipboard>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t *>(GlobalLock(data));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }

  TApplication app;
  TMemoForm *form = nullptr;
};

TEST_F(MemoTest, KeysMoveTheCaretAndTheView) {
  Fill(1000);
  TMemo &memo = form->Memo;
  const size_t page = memo.PageLines();
  ASSERT_GT(page, 5u);
  EXPECT_EQ(memo.TopLine(), 0u) << "adding lines leaves the view where it is";

  Key(VK_END, false, true);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{999, 8}));
  EXPECT_EQ(memo.TopLine(), 1000 - page) << "the last line at the bottom";
  Key(VK_HOME, false, true);
  EXPECT_EQ(memo.CaretPos(), TMemoPos{});
  EXPECT_EQ(memo.TopLine(), 0u);

  Key(VK_NEXT);
  EXPECT_EQ(memo.TopLine(), page);
  EXPECT_EQ(memo.CaretPos().line, page);
  Key(VK_PRIOR);
  EXPECT_EQ(memo.TopLine(), 0u);

  // Up and Down keep the wanted column across a shorter line.
  memo.Clear();
  for (const char *line : {"a long first line", "short", "another long line"})
    memo.Add(line);
  Key(VK_END);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{0, 17}));
  Key(VK_DOWN);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{1, 5}));
  Key(VK_DOWN);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{2, 17}));
  Key(VK_RIGHT);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{2, 17})) << "the end of the text";
  Key(VK_HOME);
  Key(VK_LEFT);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{1, 5})) << "Left wraps to the line above";

  // The wheel scrolls three lines a notch, without the caret.
  memo.Clear();
  Fill(100);
  SendMessageA(memo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -2 * WHEEL_DELTA), 0);
  EXPECT_EQ(memo.TopLine(), 6u);
  EXPECT_EQ(memo.CaretPos(), TMemoPos{});
}

TEST_F(MemoTest, SelectionAndCopy) {
  TMemo &memo = form->Memo;
  memo.Add("ab\xCD\xCD\xBA");
  memo.Add(std::string("tab\there\0", 9));
  memo.Add("third");
  Key(VK_RIGHT);
  Key(VK_DOWN, true);
  Key(VK_END, true);
  EXPECT_EQ(memo.SelText(), std::string("b\xCD\xCD\xBA\r\ntab\there\0", 15));
  SendMessageA(memo.Handle(), WM_CHAR, 0x03, 0); // Ctrl+C
  EXPECT_EQ(Clipboard(), L"b\x2550\x2550\x2551\r\ntab\there ") << "the OEM code page's characters";

  SendMessageA(memo.Handle(), WM_CHAR, 0x01, 0); // Ctrl+A
  EXPECT_EQ(memo.SelText(), std::string("ab\xCD\xCD\xBA\r\ntab\there\0\r\nthird", 23));
  Key(VK_LEFT);
  EXPECT_EQ(memo.SelText(), "") << "a plain key ends the selection";

  // Press, drag and let go: the characters between.
  const int w = memo.CharWidth(), h = memo.LineHeight();
  Mouse(WM_LBUTTONDOWN, 1 * w + 1, h / 2);
  Mouse(WM_MOUSEMOVE, 2 * w + 1, 2 * h + h / 2);
  Mouse(WM_LBUTTONUP, 2 * w + 1, 2 * h + h / 2);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{2, 2}));
  EXPECT_EQ(memo.SelText(), std::string("b\xCD\xCD\xBA\r\ntab\there\0\r\nth", 19));
  EXPECT_EQ(GetFocus(), memo.Handle());
}

TEST_F(MemoTest, TheCaretPastTheEdgeMovesTheTextSideways) {
  TMemo &memo = form->Memo;
  memo.Add(std::string(2000, 'x'));
  memo.Add("short");
  EXPECT_EQ(memo.LeftColumn(), 0u);
  Key(VK_END);
  EXPECT_GT(memo.LeftColumn(), 2000u - 400u / memo.CharWidth());
  EXPECT_LE(memo.LeftColumn(), 2000u);
  Key(VK_DOWN);
  EXPECT_EQ(memo.CaretPos(), (TMemoPos{1, 5}));
  EXPECT_EQ(memo.LeftColumn(), 0u) << "back to show the caret";
}

// Renders the memo and reads pixels: the art's characters must appear as
// solid blocks and unbroken double lines, not as letters.
TEST_F(MemoTest, OemArtIsDrawnAsBlocksAndLines) {
  TMemo &memo = form->Memo;
  memo.Add(std::string(10, '\xDB')); // full blocks
  memo.Add(std::string(20, '\xCD')); // double horizontal line
  memo.Add(std::string(10, '\xB0')); // light shade
  const int w = memo.CharWidth(), h = memo.LineHeight();
  Picture picture = Picture::OfWindow(memo.Handle());
  auto black = [&](int x, int y) { return picture.At(x, y) == RGB(0, 0, 0); };
  auto solidRow = [&](int y, int from, int to) {
    for (int x = from; x < to; ++x)
      if (!black(x, y))
        return false;
    return true;
  };

  // Blocks: the middle half of the first line is black from edge to edge.
  for (int y = h / 4; y < 3 * h / 4; ++y)
    EXPECT_TRUE(solidRow(y, 0, 10 * w))
        << "row " << y << " of the blocks, face " << OemDisplayFace();
  EXPECT_FALSE(black(10 * w + 1, h / 2)) << "and nothing after them";

  // The double line: two separate rows, each black across all 20 cells.
  std::vector<int> rows;
  for (int y = h; y < 2 * h; ++y)
    if (solidRow(y, 0, 20 * w))
      rows.push_back(y);
  ASSERT_GE(rows.size(), 2u) << "face " << OemDisplayFace();
  EXPECT_GT(rows.back() - rows.front(), 1) << "two lines with a gap between";

  // Shading: some black, some white, in every cell.
  for (int cell = 0; cell < 10; ++cell) {
    int inked = 0;
    for (int y = 2 * h; y < 3 * h; ++y)
      for (int x = cell * w; x < (cell + 1) * w; ++x)
        inked += black(x, y);
    EXPECT_GT(inked, 0) << "cell " << cell;
    EXPECT_LT(inked, w * h) << "cell " << cell;
  }
}

} // namespace
