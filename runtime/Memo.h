// A read-only, multi-line text box for texts in the OEM code page: one
// screen line per added line, no word wrap, a vertical scroll bar, a caret,
// selection with the mouse or with Shift and the cursor keys, and copying
// with Ctrl+C. Only the lines in view are drawn, so a text of 10 MB shows
// as fast as one of 10 KB.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/Control.h"
#include "runtime/Gdi.h"
#include "runtime/LineStore.h"

// A place in the text: a line and a byte (one character cell) in it.
struct TMemoPos {
  size_t line = 0;
  size_t column = 0;
  bool operator==(const TMemoPos &other) const {
    return line == other.line && column == other.column;
  }
  bool operator<(const TMemoPos &other) const {
    return line != other.line ? line < other.line : column < other.column;
  }
};

class TMemo : public TWinControl {
public:
  using TWinControl::TWinControl;

  // Character height of the OEM display font in pixels (OemText.h).
  void SetFontHeight(int height);
  void SetColors(COLORREF text, COLORREF background);

  // Empties the box: no lines, the view and the caret at the top.
  void Clear();
  // A hint that about `bytes` more text is coming.
  void Reserve(size_t bytes);
  // Appends one line; the view stays where it is.
  void Add(std::string_view line);

  size_t LineCount() const { return lines_.Count(); }
  std::string Line(size_t index) const { return std::string(lines_.Line(index)); }
  // The first line in view.
  size_t TopLine() const { return top_; }
  void SetTopLine(size_t line);
  // First column in view (the text moves sideways only with the caret).
  size_t LeftColumn() const { return left_; }
  TMemoPos CaretPos() const { return caret_; }
  // The selected text, lines joined with CR LF.
  std::string SelText() const;
  void SelectAll();
  void CopyToClipboard();
  void SetFocus();

  int LineHeight();
  int CharWidth();
  // Lines that fit in the box entirely (at least 1).
  size_t PageLines();

protected:
  void GetCreateParams(CreateParams &params) override;
  void HandleCreated() override;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HFONT FontHandle();
  void Measure();
  RECT ClientRect();
  void Paint(HDC dc, const RECT &area);
  void PaintLine(HDC dc, size_t index, int y, int width);
  void KeyDown(WPARAM key);
  void MouseAt(int x, int y, bool extend);
  TMemoPos PosAt(int x, int y);
  TMemoPos Clamp(TMemoPos pos) const;
  void MoveCaret(TMemoPos pos, bool extend, bool keepColumn = false);
  void EnsureCaretVisible();
  size_t MaxTop();
  void ScrollTo(size_t top);
  void ScrollBy(long lines);
  void VScroll(int code);
  void UpdateScrollBar();
  void UpdateCaret();
  void Redraw();

  LineStore lines_;
  Font font_;
  int fontHeight_ = 12;
  int lineHeight_ = 0; // 0 until measured
  int charWidth_ = 0;
  COLORREF textColor_ = RGB(0, 0, 0);
  COLORREF background_ = RGB(0xFF, 0xFF, 0xFF);
  size_t top_ = 0;
  size_t left_ = 0;
  TMemoPos caret_, anchor_;
  size_t wantedColumn_ = 0; // kept across shorter lines by Up and Down
  bool scrollBarStale_ = true;
  bool selecting_ = false;
  bool focused_ = false;
  int wheelRest_ = 0;
};
