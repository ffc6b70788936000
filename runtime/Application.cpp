#include "runtime/Application.h"

#include <algorithm>
#include <exception>

#include "runtime/Form.h"
#include "runtime/SystemEntry.h"
#include "runtime/WindowClass.h"

TApplication *Application = nullptr;

namespace {
const char kApplicationClass[] = "TApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The task-bar entry's close ends the program like closing the main form.
    GuardedEntry([] {
      if (Application && Application->MainForm())
        Application->MainForm()->Close();
    });
    return 0;
  }
  if (message == WM_SETFOCUS && Application) {
    // A hidden form's activation falls back to its owner, this window.
    GuardedEntry([] { Application->ActivateLastForm(); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

struct DisabledWindows {
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableTopLevel(HWND window, LPARAM data) {
  auto *disabled = reinterpret_cast<DisabledWindows *>(data);
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    disabled->windows.push_back(window);
  }
  return TRUE;
}
} // namespace

TApplication::TApplication() {
  Application = this;
}

TApplication::~TApplication() {
  DestroyForms();
  if (handle_)
    DestroyWindow(handle_);
  if (Application == this)
    Application = nullptr;
}

void TApplication::Initialize() {
  if (handle_)
    return;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(kApplicationClass, ApplicationWindowProc, nullptr, true);
  // Zero-sized: it only carries the title and icon of the task-bar entry.
  handle_ = CreateWindowExA(0, kApplicationClass, "",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
}

std::string TApplication::Title() const {
  char title[256] = "";
  if (handle_)
    GetWindowTextA(handle_, title, sizeof title);
  return title;
}

void TApplication::SetTitle(const std::string &title) {
  if (handle_)
    SetWindowTextA(handle_, title.c_str());
}

void TApplication::Adopt(TForm *form) {
  try {
    form->CreateHandle();
    form->LoadedControls();
  } catch (...) {
    delete form;
    throw;
  }
  forms_.push_back(form);
  if (!mainForm_)
    mainForm_ = form;
  form->DoCreate();
}

void TApplication::DestroyForms() {
  lastActive_ = nullptr;
  while (!forms_.empty()) {
    TForm *form = forms_.back();
    forms_.pop_back();
    delete form;
  }
  mainForm_ = nullptr;
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!PreviewKey(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
}

void TApplication::Run() {
  if (!mainForm_)
    return;
  if (handle_)
    ShowWindow(handle_, SW_SHOWNA);
  GuardedEntry([this] { mainForm_->Show(); });
  while (!terminated_) {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    if (PreviewKey(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool TApplication::PreviewKey(const MSG &msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd)
    return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  for (TForm *form : forms_)
    if (form->HandleAllocated() && form->Handle() == root)
      return GuardedEntry<bool>(true, [&] { return form->PreviewKey(msg); });
  return false;
}

void TApplication::ActivateLastForm() {
  TForm *candidates[] = {lastActive_, mainForm_};
  for (TForm *form : candidates)
    // Only forms still alive: the last active one may be going away.
    if (std::find(forms_.begin(), forms_.end(), form) != forms_.end() && form->Visible() &&
        form->Enabled()) {
      SetActiveWindow(form->Handle());
      return;
    }
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::HandleException(const Exception &error) {
  HWND capture = GetCapture();
  if (capture)
    SendMessageA(capture, WM_CANCELMODE, 0, 0);
  if (dynamic_cast<const EAbort *>(&error))
    return;
  MessageBox(error.Message() + ".", Title(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleCurrentException() {
  try {
    throw;
  } catch (const Exception &error) {
    HandleException(error);
  } catch (const std::exception &error) {
    HandleException(Exception(error.what()));
  } catch (...) {
    HandleException(Exception("Unknown exception"));
  }
}

int TApplication::MessageBox(const std::string &text, const std::string &caption, UINT style) {
  HWND active = GetActiveWindow();
  DisabledWindows disabled;
  EnumThreadWindows(GetCurrentThreadId(), DisableTopLevel, reinterpret_cast<LPARAM>(&disabled));
  int result;
  if (messageBoxHook_)
    result = messageBoxHook_(text, caption, style);
  else
    result = ::MessageBoxA(handle_, text.c_str(), caption.c_str(), style & 0xFFFF);
  for (HWND window : disabled.windows)
    if (IsWindow(window))
      EnableWindow(window, TRUE);
  if (active && IsWindow(active))
    SetActiveWindow(active);
  return result;
}
