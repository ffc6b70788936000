// The progress bar wrapper on a real progress control: what it keeps before
// the window exists and exactly which messages it sends afterwards.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/Exception.h"
#include "runtime/Form.h"
#include "runtime/ProgressBar.h"

namespace {

struct Sent {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Sent> sent;
// Sees every message sent to a window of this thread, including those sent
// while the window is still being created.
LRESULT CALLBACK RecordProgressMessages(int code, WPARAM wParam, LPARAM lParam) {
  auto *call = reinterpret_cast<CWPSTRUCT *>(lParam);
  bool progress = call->message >= WM_USER && call->message < WM_USER + 0x100;
  char className[32] = "";
  GetClassNameA(call->hwnd, className, sizeof className);
  if (code == HC_ACTION && progress && lstrcmpA(className, "TProgressBar") == 0)
    sent.push_back({call->message, call->wParam, call->lParam});
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Host : public TForm {
public:
  Host() : TForm("TProgressBarTestHost", {300, 100, RGB(0, 0, 0), TBorderStyle::None, "", true}) {}
  TProgressBar Bar{this};
};

class ProgressBarTest : public ::testing::Test {
protected:
  ProgressBarTest() {
    sent.clear();
    hook_ =
        SetWindowsHookExA(WH_CALLWNDPROC, RecordProgressMessages, nullptr, GetCurrentThreadId());
  }
  ~ProgressBarTest() override { UnhookWindowsHookEx(hook_); }

  // Shows the form, which creates the bar's window.
  void CreateWindowNow() {
    host.Show();
    ASSERT_TRUE(host.Bar.HandleAllocated());
  }
  void ForgetSent() { sent.clear(); }

  Host host;

private:
  HHOOK hook_;
};

TEST_F(ProgressBarTest, ANewBarHandsItsDefaultsToItsWindow) {
  EXPECT_FALSE(host.Bar.HandleAllocated());
  EXPECT_EQ(host.Bar.Min(), 0);
  EXPECT_EQ(host.Bar.Max(), 100);
  EXPECT_EQ(host.Bar.Step(), 10);
  EXPECT_EQ(host.Bar.Position(), 0);
  CreateWindowNow();
  HWND window = host.Bar.Handle();
  EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 0);
  SendMessageA(window, PBM_STEPIT, 0, 0); // the control steps by what it was given
  EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 10);
  RECT bounds;
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 150);
  EXPECT_EQ(bounds.bottom - bounds.top, GetSystemMetrics(SM_CYVSCROLL));
}

TEST_F(ProgressBarTest, StoredValuesAreHandedOverAtCreation) {
  host.Bar.SetMax(200);
  host.Bar.SetStep(7);
  host.Bar.SetPosition(50);
  host.Show();
  HWND window = host.Bar.Handle();
  ASSERT_TRUE(window);

  std::vector<Sent> own;
  for (const Sent &s : sent)
    if (s.message != PBM_GETPOS && s.message != PBM_GETRANGE)
      own.push_back(s);
  ASSERT_EQ(own.size(), 3u);
  EXPECT_EQ(own[0].message, static_cast<UINT>(PBM_SETRANGE32));
  EXPECT_EQ(own[0].wParam, 0u);
  EXPECT_EQ(own[0].lParam, 200);
  EXPECT_EQ(own[1].message, static_cast<UINT>(PBM_SETSTEP));
  EXPECT_EQ(own[1].wParam, 7u);
  EXPECT_EQ(own[2].message, static_cast<UINT>(PBM_SETPOS));
  EXPECT_EQ(own[2].wParam, 50u);

  EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 50);
  EXPECT_EQ(host.Bar.Position(), 50);
  EXPECT_EQ(host.Bar.Max(), 200);

  char className[64];
  GetClassNameA(window, className, sizeof className);
  WNDCLASSA platform;
  ASSERT_TRUE(GetClassInfoA(nullptr, "msctls_progress32", &platform));
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  EXPECT_EQ(proc, platform.lpfnWndProc) << className << " must be the platform control";
  DWORD style = GetClassLongA(window, GCL_STYLE);
  EXPECT_EQ(style & (CS_HREDRAW | CS_VREDRAW), 0u);
}

TEST_F(ProgressBarTest, PositionOutsideRangeIsPassedUnclamped) {
  CreateWindowNow();
  ForgetSent();
  host.Bar.SetPosition(150);
  host.Bar.SetPosition(-5);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(PBM_SETPOS));
  EXPECT_EQ(static_cast<int>(sent[0].wParam), 150);
  EXPECT_EQ(static_cast<int>(sent[1].wParam), -5);
}

TEST_F(ProgressBarTest, InvertedRangeRaisesAndChangesNothing) {
  for (bool withWindow : {false, true}) {
    SCOPED_TRACE(withWindow ? "with window" : "without window");
    if (withWindow)
      CreateWindowNow();
    ForgetSent();
    try {
      host.Bar.SetMin(200);
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation &error) {
      EXPECT_EQ(error.Message(), "TProgressBar property out of range");
    }
    EXPECT_THROW(host.Bar.SetMax(-1), EInvalidOperation);
    for (const Sent &s : sent)
      EXPECT_TRUE(s.message == PBM_GETRANGE || s.message == PBM_GETPOS) << s.message;
    EXPECT_EQ(host.Bar.Min(), 0);
    EXPECT_EQ(host.Bar.Max(), 100);
  }
}

TEST_F(ProgressBarTest, UnchangedRangeAndStepSendNothing) {
  CreateWindowNow();
  ForgetSent();
  host.Bar.SetMin(0);
  host.Bar.SetMax(100);
  host.Bar.SetStep(10);
  EXPECT_TRUE(sent.empty()) << sent.size() << " messages, first " << sent[0].message;
  host.Bar.SetStep(11);
  EXPECT_EQ(sent.size(), 1u) << "a change is seen";
}

TEST_F(ProgressBarTest, RangeChangesWithWindow) {
  CreateWindowNow();
  host.Bar.SetPosition(40);
  ForgetSent();
  host.Bar.SetMin(20); // raised: position not touched
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(PBM_SETRANGE32));
  EXPECT_EQ(sent[0].wParam, 20u);
  EXPECT_EQ(sent[0].lParam, 100);

  ForgetSent();
  host.Bar.SetMin(5); // lowered: position moves to the new start
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(PBM_SETRANGE32));
  EXPECT_EQ(sent[1].message, static_cast<UINT>(PBM_SETPOS));
  EXPECT_EQ(sent[1].wParam, 5u);
  EXPECT_EQ(host.Bar.Min(), 5);
  EXPECT_EQ(host.Bar.Position(), 5);

  ForgetSent();
  host.Bar.SetStep(3);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].message, static_cast<UINT>(PBM_SETSTEP));
  EXPECT_EQ(sent[0].wParam, 3u);
}

TEST_F(ProgressBarTest, OnlyTheFiveProgressMessagesAreEverSent) {
  host.Bar.SetPosition(3);
  CreateWindowNow();
  host.Bar.SetMax(300);
  host.Bar.SetMin(-10);
  host.Bar.SetStep(1);
  host.Bar.SetPosition(1000);
  host.Bar.Min();
  host.Bar.Max();
  host.Bar.Position();
  const UINT allowed[] = {PBM_SETPOS, PBM_SETSTEP, PBM_SETRANGE32, PBM_GETRANGE, PBM_GETPOS};
  for (UINT message : allowed)
    EXPECT_TRUE(
        std::any_of(sent.begin(), sent.end(), [&](const Sent &s) { return s.message == message; }))
        << message << " is used";
  for (const Sent &s : sent)
    EXPECT_NE(std::find(std::begin(allowed), std::end(allowed), s.message), std::end(allowed))
        << s.message;
}

} // namespace
