// Whatever a handler throws, the call from the system comes back: the
// exception is reported in the application's box and the program goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

#include "media/MediaPlayer.h"
#include "runtime/Application.h"
#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/SystemEntry.h"

namespace {

// The exception each handler throws, chosen per case.
std::function<void()> raise;

class TGuardForm : public TForm {
public:
  TGuardForm() : TForm("TGuardForm", {100, 60, RGB(0, 0, 0), TBorderStyle::None, "Guard", true}) {
    Button.Apply({"Button", 0, 0, 100, 60, "press", {}});
    Button.OnClick = [] { raise(); };
  }
  void FormCreate() override {
    if (throwOnCreate)
      raise();
  }
  TLabel Button{this};
  TMediaPlayer Player{this};
  static inline bool throwOnCreate = false;
};

// MCI stand-in: opening succeeds; any later command runs `raise`.
bool mciOpened = false;
MCIERROR WINAPI FakeMci(MCIDEVICEID, UINT command, DWORD_PTR, DWORD_PTR record) {
  if (command == MCI_OPEN) {
    reinterpret_cast<MCI_OPEN_PARMSA *>(record)->wDeviceID = 1;
    mciOpened = true;
    return 0;
  }
  if (mciOpened && command == MCI_STATUS)
    raise();
  return 0;
}

struct Thrown {
  const char *name;
  std::function<void()> raise;
  const char *reported;
};

const Thrown kThrown[] = {
    {"bad_alloc", [] { throw std::bad_alloc(); }, "std::bad_alloc."},
    {"runtime_error", [] { throw std::runtime_error("disk on fire"); }, "disk on fire."},
};

struct Entry {
  const char *name;
  std::function<void(TApplication &, TGuardForm *&)> enter;
};

void Click(TGuardForm *form) {
  SendMessageA(form->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  SendMessageA(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

const Entry kEntries[] = {
    {"creation handler",
     [](TApplication &app, TGuardForm *&form) {
       TGuardForm::throwOnCreate = true;
       app.CreateForm(form);
       TGuardForm::throwOnCreate = false;
     }},
    {"form message",
     [](TApplication &app, TGuardForm *&form) {
       app.CreateForm(form);
       form->Show();
       Click(form);
     }},
    {"media player notification",
     [](TApplication &app, TGuardForm *&form) {
       app.CreateForm(form);
       auto pending = std::exchange(raise, [] {}); // opening itself succeeds
       form->Player.Open();
       raise = pending;
       SendMessageA(form->Player.Handle(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
     }},
    {"library callback",
     [](TApplication &, TGuardForm *&) {
       EXPECT_EQ(GuardedEntry(-1, [] { return raise(), 0; }), -1) << "answers its fallback";
     }},
};

TEST(SystemEntry, EveryEntryReportsWhatItsHandlerThrowsAndGoesOn) {
  TMediaPlayer::SetSendCommand(FakeMci);
  for (const Entry &entry : kEntries) {
    for (const Thrown &thrown : kThrown) {
      SCOPED_TRACE(std::string(entry.name) + " throws " + thrown.name);
      TApplication app;
      app.Initialize();
      std::vector<std::string> texts;
      app.SetMessageBoxHook([&](const std::string &text, const std::string &, UINT) {
        texts.push_back(text);
        return IDOK;
      });
      mciOpened = false;
      raise = thrown.raise;
      TGuardForm *form = nullptr;
      entry.enter(app, form);
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0], thrown.reported);
      if (form) { // the window still answers
        raise = [] {};
        Click(form);
        EXPECT_TRUE(IsWindow(form->Handle()));
      }
    }
  }
  TMediaPlayer::SetSendCommand(nullptr);
}

} // namespace
