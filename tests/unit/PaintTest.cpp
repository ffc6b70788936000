// Painting by pixels and by GDI bookkeeping: the greyed look of a disabled
// label, and windows that paint again and again without leaking GDI objects
// or deleting what is still selected.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "InstallerFixture.h"
#include "runtime/Label.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/Form3.h"
#include "shell/Form4.h"
#include "shell/Form5.h"
#include "shell/Form6.h"

namespace {

// ---------------------------------------------------------------------------
// The greyed label, on a plain background so every changed pixel is its own.

const COLORREF kNavy = RGB(0, 0, 128), kRed = RGB(255, 0, 0);

class TGreyHost : public TForm {
public:
  TGreyHost() : TForm("TGreyHost", {120, 40, kNavy, TBorderStyle::None, "", true}) {
    Caption.Apply(
        {"Caption", 10, 10, 100, 20, "[ extract", {"Arial", 13, true, ANSI_CHARSET, kRed}});
  }
  TLabel Caption{this};
};

struct Extent {
  int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1, count = 0;
  void Add(int x, int y) {
    top = std::min(top, y), bottom = std::max(bottom, y);
    left = std::min(left, x), right = std::max(right, x);
    ++count;
  }
};

TEST(DisabledLabel, ShadowTextOverAHighlightCopyOneDownAndRight) {
  TGreyHost host;
  host.Caption.SetEnabled(false);
  Picture picture = Render(host);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  Extent lit, dark;
  int ownColour = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      COLORREF colour = picture.At(x, y);
      if (colour == highlight)
        lit.Add(x, y);
      else if (colour == shadow)
        dark.Add(x, y);
      ownColour += colour == kRed;
    }
  ASSERT_GT(dark.count, 10) << "the text in the shadow colour";
  ASSERT_GT(lit.count, 10) << "a highlight copy of it";
  EXPECT_EQ(ownColour, 0) << "a disabled label does not use its font colour";
  // The highlight peeks out below and to the right of the shadow text.
  EXPECT_EQ(lit.top, dark.top + 1);
  EXPECT_EQ(lit.left, dark.left + 1);
  EXPECT_EQ(lit.bottom, dark.bottom + 1);
  EXPECT_EQ(lit.right, dark.right + 1);

  host.Caption.SetEnabled(true);
  Picture enabled = Render(host);
  int red = 0;
  for (int y = 0; y < enabled.Height(); ++y)
    for (int x = 0; x < enabled.Width(); ++x)
      red += enabled.At(x, y) == kRed;
  EXPECT_GT(red, 10) << "enabled again, in its own colour";
}

// ---------------------------------------------------------------------------
// GDI bookkeeping of the real windows.

// Live GDI objects of this process. Wine answers 0 to GetGuiResources (not
// implemented), so there its handle table is walked instead: a live object
// answers GetObjectType for its bare 16-bit index.
int GdiObjectCount() {
  if (DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
    return static_cast<int>(counted);
  int live = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index)
    live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
  return live;
}

// Watches every memory DC the program makes, through its import table: an
// object still selected when its DC is deleted, or deleted while selected,
// is recorded. Windows does not delete a selected object, which leaks; Wine
// defers the deletion, so there only this bookkeeping shows the fault.
extern "C" void *importCreateCompatibleDC __asm__("__imp__CreateCompatibleDC@4");
extern "C" void *importDeleteDC __asm__("__imp__DeleteDC@4");
extern "C" void *importDeleteObject __asm__("__imp__DeleteObject@4");

class SelectionWatch {
public:
  SelectionWatch()
      : create_(&importCreateCompatibleDC, reinterpret_cast<void *>(&WatchedCreate)),
        delete_(&importDeleteDC, reinterpret_cast<void *>(&WatchedDelete)),
        deleteObject_(&importDeleteObject, reinterpret_cast<void *>(&WatchedDeleteObject)) {
    watch = this;
  }
  ~SelectionWatch() { watch = nullptr; }

  std::vector<std::string> faults;
  int memoryDcs = 0; // made while watched

private:
  class ImportSlot {
  public:
    ImportSlot(void **slot, void *replacement) : slot_(slot), original_(*slot) {
      Write(replacement);
    }
    ~ImportSlot() { Write(original_); }
    template <class F> F Original() const { return reinterpret_cast<F>(original_); }

  private:
    void Write(void *value) {
      DWORD protection;
      VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
      *slot_ = value;
      VirtualProtect(slot_, sizeof *slot_, protection, &protection);
    }
    void **slot_;
    void *original_;
  };
  static constexpr UINT kKinds[] = {OBJ_BITMAP, OBJ_FONT, OBJ_BRUSH, OBJ_PEN};
  static constexpr const char *kKindNames[] = {"bitmap", "font", "brush", "pen"};
  struct Made {
    HDC dc;
    HGDIOBJ objects[4]; // as it came: the DC's own defaults
  };

  static HDC WINAPI WatchedCreate(HDC like) {
    HDC dc = watch->create_.Original<decltype(&CreateCompatibleDC)>()(like);
    if (dc) {
      Made made{dc, {}};
      for (int i = 0; i < 4; ++i)
        made.objects[i] = GetCurrentObject(dc, kKinds[i]);
      watch->made_.push_back(made);
      ++watch->memoryDcs;
    }
    return dc;
  }
  static BOOL WINAPI WatchedDelete(HDC dc) {
    auto &made = watch->made_;
    auto found = std::find_if(made.begin(), made.end(), [dc](const Made &m) { return m.dc == dc; });
    if (found != made.end()) {
      for (int i = 0; i < 4; ++i)
        if (GetCurrentObject(dc, kKinds[i]) != found->objects[i])
          watch->faults.push_back(std::string("a ") + kKindNames[i] +
                                  " left selected in a memory DC");
      made.erase(found);
    }
    return watch->delete_.Original<decltype(&DeleteDC)>()(dc);
  }
  static BOOL WINAPI WatchedDeleteObject(HGDIOBJ object) {
    for (const Made &made : watch->made_)
      for (int i = 0; i < 4; ++i)
        if (GetCurrentObject(made.dc, kKinds[i]) == object)
          watch->faults.push_back(std::string("a ") + kKindNames[i] +
                                  " deleted while selected in a memory DC");
    return watch->deleteObject_.Original<decltype(&DeleteObject)>()(object);
  }

  static inline SelectionWatch *watch = nullptr;
  ImportSlot create_, delete_, deleteObject_;
  std::vector<Made> made_;
};

class PaintLoopTest : public InstallerFixture {
protected:
  void SetUp() override {
    WriteRelease(StandardIniLines());
    ASSERT_TRUE(StartInstaller()) << startError;
    forms = {Form1, Form2, Form3, Form4, Form5, Form6};
    for (TForm *form : forms)
      form->Show();
    Pump();
  }
  // Every window painted on screen and off it, in both looks of the labels
  // that change.
  void PaintAll(int round) {
    MoveMouse(*Form1, round % 2 ? 45 : 250, round % 2 ? 300 : 250); // "install" or background
    Form4->Label2.SetEnabled(round % 2 == 0);
    Form4->Label1.SetCaption("Extracting entry " + std::to_string(round));
    for (TForm *form : forms) {
      RedrawWindow(form->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Render(*form);
    }
    Pump();
  }
  std::vector<TForm *> forms;
};

TEST_F(PaintLoopTest, RepaintingEveryWindowKeepsTheGdiObjectCountFlat) {
  PaintAll(0); // fonts and pictures are made at the first paint
  PaintAll(1);
  const int before = GdiObjectCount();
  for (int round = 2; round < 42; ++round)
    PaintAll(round);
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(PaintLoopTest, NothingIsLeftSelectedOrDeletedWhileSelected) {
  SelectionWatch watch;
  for (int round = 0; round < 4; ++round)
    PaintAll(round);
  EXPECT_GT(watch.memoryDcs, 6) << "the watch saw the off-screen painting";
  EXPECT_EQ(watch.faults, std::vector<std::string>());
}

// The form saves and restores the DC around each control, which hides a
// control that leaves its font or bitmap behind; each one is held to it here.
TEST_F(PaintLoopTest, EveryControlLeavesTheDcAsItFoundIt) {
  auto selected = [](HDC dc) {
    std::vector<HGDIOBJ> objects;
    for (UINT kind : {OBJ_BITMAP, OBJ_FONT, OBJ_BRUSH, OBJ_PEN})
      objects.push_back(GetCurrentObject(dc, kind));
    return objects;
  };
  int painted = 0;
  for (TForm *form : forms)
    for (TControl *control : form->Controls()) {
      if (control->IsWindowed())
        continue;
      Picture picture(form->ClientWidth(), form->ClientHeight(), [&](HDC dc) {
        std::vector<HGDIOBJ> before = selected(dc);
        static_cast<TGraphicControl *>(control)->Paint(dc);
        EXPECT_EQ(selected(dc), before) << form->ClassName() << "." << control->Name();
        ++painted;
      });
    }
  EXPECT_GT(painted, 30);
}

} // namespace
