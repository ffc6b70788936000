// The application object: title, forms, message loop and the report of
// exceptions caught around every message and creation handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/Exception.h"

class TForm;

class TApplication {
public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication &) = delete;
  TApplication &operator=(const TApplication &) = delete;

  // Creates the hidden application window that carries the title and owns
  // the forms and message boxes.
  void Initialize();
  HWND Handle() const { return handle_; }

  std::string Title() const;
  void SetTitle(const std::string &title);

  // Constructs a form, sets the global reference, runs the controls'
  // end-of-load steps (exceptions there propagate: the half-built form is
  // discarded) and then its creation handler (exceptions there are
  // reported). The first form created is the main form.
  template <class F> void CreateForm(F *&reference) {
    F *form = new F();
    reference = form;
    try {
      Adopt(form);
    } catch (...) {
      reference = nullptr;
      throw;
    }
  }
  TForm *MainForm() const { return mainForm_; }

  // Shows the main form and dispatches messages until told to terminate.
  void Run();
  // Dispatches every pending message, repaint included; returns when the
  // queue is empty. A quit request is only noted.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Destroys the forms, last created first.
  void DestroyForms();

  // Key messages go to the form they are typed into before translation, as
  // in a dialog's loop; true when the form took the key.
  bool PreviewKey(const MSG &msg);
  // The form that was last active gets the keyboard when the application
  // window would otherwise hold it.
  void FormActivated(TForm *form) { lastActive_ = form; }
  void ActivateLastForm();

  void HandleException(const Exception &error);
  // Reports whatever exception is in flight; for use inside catch (...).
  void HandleCurrentException();

  // A modal box owned by the application; the program's other windows are
  // disabled while it is up.
  int MessageBox(const std::string &text, const std::string &caption, UINT style);

  // Tests route message boxes to a recorder instead of the screen.
  using MessageBoxHook =
      std::function<int(const std::string &text, const std::string &caption, UINT style)>;
  void SetMessageBoxHook(MessageBoxHook hook) { messageBoxHook_ = std::move(hook); }

private:
  void Adopt(TForm *form);
  bool ProcessMessage();

  HWND handle_ = nullptr;
  TForm *mainForm_ = nullptr;
  std::vector<TForm *> forms_;
  TForm *lastActive_ = nullptr;
  bool terminated_ = false;
  MessageBoxHook messageBoxHook_;
};

extern TApplication *Application;
