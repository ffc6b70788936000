#include "runtime/Memo.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "runtime/Application.h"
#include "runtime/OemText.h"
#include "runtime/PaintMessages.h"
#include "runtime/SystemEntry.h"
#include "runtime/WindowClass.h"

namespace {
const char kClassName[] = "TMemo";
constexpr int kWheelLines = 3;

bool IsPressed(int key) {
  return GetKeyState(key) < 0;
}
} // namespace

void TMemo::SetFontHeight(int height) {
  fontHeight_ = height;
  font_.Reset();
  lineHeight_ = 0;
  Redraw();
}

void TMemo::SetColors(COLORREF text, COLORREF background) {
  textColor_ = text;
  background_ = background;
  Redraw();
}

HFONT TMemo::FontHandle() {
  if (!font_)
    font_.Reset(CreateOemDisplayFont(fontHeight_));
  return font_.Get();
}

void TMemo::Measure() {
  if (lineHeight_)
    return;
  WindowDC screen(nullptr);
  Selection select(screen.Get(), FontHandle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  charWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
}

int TMemo::LineHeight() {
  Measure();
  return lineHeight_;
}

int TMemo::CharWidth() {
  Measure();
  return charWidth_;
}

RECT TMemo::ClientRect() {
  RECT client{0, 0, Width(), Height()};
  if (HandleAllocated())
    GetClientRect(Handle(), &client);
  return client;
}

size_t TMemo::PageLines() {
  RECT client = ClientRect();
  return std::max<size_t>(1, static_cast<size_t>(client.bottom / LineHeight()));
}

size_t TMemo::MaxTop() {
  size_t page = PageLines();
  return LineCount() > page ? LineCount() - page : 0;
}

void TMemo::Redraw() {
  if (HandleAllocated())
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TMemo::Clear() {
  lines_.Clear();
  top_ = left_ = wantedColumn_ = 0;
  caret_ = anchor_ = TMemoPos{};
  selecting_ = false;
  scrollBarStale_ = true;
  if (HandleAllocated()) {
    UpdateScrollBar();
    UpdateCaret();
    Redraw();
  }
}

void TMemo::Reserve(size_t bytes) {
  lines_.Reserve(bytes);
}

void TMemo::Add(std::string_view line) {
  lines_.Add(line);
  // One repaint and one scroll bar update for a whole run of lines.
  if (!scrollBarStale_) {
    scrollBarStale_ = true;
    Redraw();
  }
}

void TMemo::SetTopLine(size_t line) {
  ScrollTo(line);
}

std::string TMemo::SelText() const {
  TMemoPos from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  std::string text;
  for (size_t line = from.line; line <= to.line && line < LineCount(); ++line) {
    std::string_view whole = lines_.Line(line);
    size_t start = line == from.line ? std::min(from.column, whole.size()) : 0;
    size_t end = line == to.line ? std::min(to.column, whole.size()) : whole.size();
    text.append(whole.substr(start, end > start ? end - start : 0));
    if (line != to.line)
      text += "\r\n";
  }
  return text;
}

void TMemo::SelectAll() {
  anchor_ = TMemoPos{};
  caret_ = LineCount() ? TMemoPos{LineCount() - 1, lines_.Length(LineCount() - 1)} : TMemoPos{};
  UpdateCaret();
  Redraw();
}

void TMemo::CopyToClipboard() {
  if (anchor_ == caret_)
    return;
  // Control bytes stay control codes here (tabs, for instance); only the
  // screen shows their pictures.
  WideString wide = OemToWide(SelText(), false);
  std::replace(wide.begin(), wide.end(), L'\0', L' ');
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!memory)
    return;
  auto *target = static_cast<wchar_t *>(GlobalLock(memory));
  std::copy(wide.begin(), wide.end(), target);
  target[wide.size()] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboard(Handle())) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_UNICODETEXT, memory))
    GlobalFree(memory);
  CloseClipboard();
}

void TMemo::SetFocus() {
  ::SetFocus(Handle());
}

void TMemo::GetCreateParams(CreateParams &params) {
  RegisterWindowClass(kClassName, WindowProc, IDC_IBEAM);
  params.className = kClassName;
  params.style = WS_VSCROLL | WS_TABSTOP;
  params.exStyle = WS_EX_CLIENTEDGE;
}

void TMemo::HandleCreated() {
  scrollBarStale_ = true;
  UpdateScrollBar();
}

void TMemo::UpdateScrollBar() {
  if (!HandleAllocated())
    return;
  scrollBarStale_ = false;
  top_ = std::min(top_, MaxTop());
  // Always there, greyed when everything fits: the text never reflows.
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = LineCount() ? static_cast<int>(LineCount() - 1) : 0;
  info.nPage = static_cast<UINT>(PageLines());
  info.nPos = static_cast<int>(top_);
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void TMemo::UpdateCaret() {
  if (!HandleAllocated() || !focused_)
    return;
  Measure();
  long row = static_cast<long>(caret_.line) - static_cast<long>(top_);
  long column = static_cast<long>(caret_.column) - static_cast<long>(left_);
  RECT client = ClientRect();
  if (row < 0 || row * lineHeight_ >= client.bottom || column < 0)
    SetCaretPos(-100, -100); // out of view
  else
    SetCaretPos(static_cast<int>(column * charWidth_), static_cast<int>(row * lineHeight_));
}

void TMemo::ScrollTo(size_t top) {
  if (scrollBarStale_)
    UpdateScrollBar();
  top = std::min(top, MaxTop());
  if (top == top_)
    return;
  top_ = top;
  if (HandleAllocated()) {
    SetScrollPos(Handle(), SB_VERT, static_cast<int>(top_), TRUE);
    UpdateCaret();
    Redraw();
  }
}

void TMemo::ScrollBy(long lines) {
  if (lines < 0)
    ScrollTo(top_ > static_cast<size_t>(-lines) ? top_ + lines : 0);
  else
    ScrollTo(top_ + static_cast<size_t>(lines));
}

TMemoPos TMemo::Clamp(TMemoPos pos) const {
  if (!LineCount())
    return {};
  pos.line = std::min(pos.line, LineCount() - 1);
  pos.column = std::min(pos.column, lines_.Length(pos.line));
  return pos;
}

void TMemo::EnsureCaretVisible() {
  size_t page = PageLines();
  if (caret_.line < top_)
    ScrollTo(caret_.line);
  else if (caret_.line >= top_ + page)
    ScrollTo(caret_.line - page + 1);
  // Sideways the view jumps by a quarter of its width, as edit boxes do.
  RECT client = ClientRect();
  size_t columns = std::max<size_t>(1, static_cast<size_t>(client.right / CharWidth()));
  size_t left = left_;
  if (caret_.column < left_)
    left = caret_.column > columns / 4 ? caret_.column - columns / 4 : 0;
  else if (caret_.column >= left_ + columns)
    left = caret_.column - columns + columns / 4 + 1;
  if (left != left_) {
    left_ = left;
    Redraw();
  }
}

void TMemo::MoveCaret(TMemoPos pos, bool extend, bool keepColumn) {
  pos = Clamp(pos);
  if (!(caret_ == pos) || !(anchor_ == pos) || extend)
    Redraw();
  caret_ = pos;
  if (!extend)
    anchor_ = pos;
  if (!keepColumn)
    wantedColumn_ = pos.column;
  EnsureCaretVisible();
  UpdateCaret();
}

void TMemo::KeyDown(WPARAM key) {
  bool shift = IsPressed(VK_SHIFT), control = IsPressed(VK_CONTROL);
  size_t page = PageLines();
  TMemoPos pos = caret_;
  switch (key) {
  case VK_UP:
    if (pos.line == 0)
      return MoveCaret(pos, shift, true);
    return MoveCaret({pos.line - 1, wantedColumn_}, shift, true);
  case VK_DOWN:
    return MoveCaret({pos.line + 1, wantedColumn_}, shift, true);
  case VK_PRIOR:
    ScrollBy(-static_cast<long>(page));
    return MoveCaret({pos.line > page ? pos.line - page : 0, wantedColumn_}, shift, true);
  case VK_NEXT:
    ScrollBy(static_cast<long>(page));
    return MoveCaret({pos.line + page, wantedColumn_}, shift, true);
  case VK_HOME:
    return MoveCaret({control ? 0 : pos.line, 0}, shift);
  case VK_END:
    if (control)
      return MoveCaret({LineCount(), static_cast<size_t>(-1)}, shift);
    return MoveCaret({pos.line, static_cast<size_t>(-1)}, shift);
  case VK_LEFT:
    if (pos.column > 0)
      return MoveCaret({pos.line, pos.column - 1}, shift);
    if (pos.line > 0)
      return MoveCaret({pos.line - 1, static_cast<size_t>(-1)}, shift);
    return MoveCaret(pos, shift);
  case VK_RIGHT:
    if (pos.line < LineCount() && pos.column < lines_.Length(pos.line))
      return MoveCaret({pos.line, pos.column + 1}, shift);
    if (pos.line + 1 < LineCount())
      return MoveCaret({pos.line + 1, 0}, shift);
    return MoveCaret(pos, shift);
  case VK_INSERT:
    if (control)
      CopyToClipboard();
    return;
  default:
    return;
  }
}

TMemoPos TMemo::PosAt(int x, int y) {
  Measure();
  long row = y < 0 ? -1 : y / lineHeight_;
  size_t line = row < 0 ? (top_ ? top_ - 1 : 0) : top_ + static_cast<size_t>(row);
  size_t column = left_ + static_cast<size_t>(std::max(0, x + charWidth_ / 2) / charWidth_);
  return {line, column};
}

void TMemo::MouseAt(int x, int y, bool extend) {
  // Dragging past the top or bottom edge scrolls a line at a time.
  RECT client = ClientRect();
  if (y >= client.bottom)
    y = client.bottom + lineHeight_ - 1 - (client.bottom % lineHeight_);
  MoveCaret(PosAt(x, y), extend);
}

void TMemo::VScroll(int code) {
  size_t page = PageLines();
  switch (code) {
  case SB_LINEUP:
    return ScrollBy(-1);
  case SB_LINEDOWN:
    return ScrollBy(1);
  case SB_PAGEUP:
    return ScrollBy(-static_cast<long>(page));
  case SB_PAGEDOWN:
    return ScrollBy(static_cast<long>(page));
  case SB_TOP:
    return ScrollTo(0);
  case SB_BOTTOM:
    return ScrollTo(MaxTop());
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION: {
    // The 32-bit position: the message's own is only 16 bits wide.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), SB_VERT, &info);
    return ScrollTo(static_cast<size_t>(std::max(0, info.nTrackPos)));
  }
  default:
    return;
  }
}

void TMemo::PaintLine(HDC dc, size_t index, int y, int width) {
  std::string_view line = lines_.Line(index);
  size_t columns = static_cast<size_t>(width / charWidth_) + 2;
  if (left_ >= line.size())
    return;
  size_t first = left_, last = std::min(line.size(), left_ + columns);
  // Selected part of this line, in bytes.
  TMemoPos from = std::min(anchor_, caret_), to = std::max(anchor_, caret_);
  size_t selStart = 0, selEnd = 0;
  if (!(from == to) && index >= from.line && index <= to.line) {
    selStart = index == from.line ? from.column : 0;
    selEnd = index == to.line ? to.column : line.size();
  }
  size_t bounds[] = {first, std::clamp(selStart, first, last), std::clamp(selEnd, first, last),
                     last};
  std::vector<INT> advances;
  for (int run = 0; run < 3; ++run) {
    if (bounds[run + 1] <= bounds[run])
      continue;
    bool selected = run == 1;
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : textColor_);
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : background_);
    WideString wide = OemToWide(line.substr(bounds[run], bounds[run + 1] - bounds[run]), true);
    // Every character in its own cell of the grid, whatever the face's
    // advance for it, so lines and blocks join up.
    advances.assign(wide.size(), charWidth_);
    int x = static_cast<int>(bounds[run] - first) * charWidth_;
    RECT cell{x, y, x + static_cast<int>(wide.size()) * charWidth_, y + lineHeight_};
    ExtTextOutW(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, wide.c_str(),
                static_cast<UINT>(wide.size()), advances.data());
  }
}

void TMemo::Paint(HDC dc, const RECT &area) {
  if (scrollBarStale_)
    UpdateScrollBar();
  Measure();
  RECT client = ClientRect();
  int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0)
    return;
  MemoryDC memory(dc);
  Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
  Selection selectBitmap(memory.Get(), bitmap.Get());
  Brush background(CreateSolidBrush(background_));
  FillRect(memory.Get(), &client, background.Get());
  Selection selectFont(memory.Get(), FontHandle());
  size_t firstRow = static_cast<size_t>(std::max(0L, area.top / lineHeight_));
  for (size_t row = firstRow; top_ + row < LineCount(); ++row) {
    int y = static_cast<int>(row) * lineHeight_;
    if (y >= area.bottom)
      break;
    PaintLine(memory.Get(), top_ + row, y, width);
  }
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(),
         area.left, area.top, SRCCOPY);
}

LRESULT TMemo::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = Handle();
  LRESULT painted = 0;
  if (HandlePaintMessage(
          window, message, wParam, ClientRect(),
          [this](HDC dc, const RECT &area) { Paint(dc, area); }, &painted))
    return painted;
  switch (message) {
  case WM_SIZE:
    UpdateScrollBar();
    Redraw();
    return 0;
  case WM_SETFOCUS:
    focused_ = true;
    CreateCaret(window, nullptr, 1, LineHeight());
    UpdateCaret();
    ShowCaret(window);
    return 0;
  case WM_KILLFOCUS:
    focused_ = false;
    DestroyCaret();
    return 0;
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
  case WM_KEYDOWN:
    KeyDown(wParam);
    return 0;
  case WM_CHAR:
    if (wParam == 0x03) // Ctrl+C
      CopyToClipboard();
    else if (wParam == 0x01) // Ctrl+A
      SelectAll();
    return 0;
  case WM_COPY:
    CopyToClipboard();
    return 0;
  case WM_LBUTTONDOWN:
    ::SetFocus(window);
    SetCapture(window);
    selecting_ = true;
    MouseAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
    return 0;
  case WM_MOUSEMOVE:
    if (selecting_)
      MouseAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true);
    return 0;
  case WM_LBUTTONUP:
    selecting_ = false;
    if (GetCapture() == window)
      ReleaseCapture();
    return 0;
  case WM_CAPTURECHANGED:
    selecting_ = false;
    return 0;
  case WM_MOUSEWHEEL: {
    wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
    long notches = wheelRest_ / WHEEL_DELTA;
    wheelRest_ %= WHEEL_DELTA;
    ScrollBy(-notches * kWheelLines);
    return 0;
  }
  case WM_VSCROLL:
    VScroll(LOWORD(wParam));
    return 0;
  default:
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK TMemo::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Bound after creation; the messages of creation itself need nothing.
  auto *memo = static_cast<TMemo *>(TWinControl::FromHandle(window));
  if (!memo)
    return DefWindowProcA(window, message, wParam, lParam);
  return GuardedEntry<LRESULT>(0, [&] { return memo->Dispatch(message, wParam, lParam); });
}
