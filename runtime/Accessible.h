// What a form tells screen readers through the platform's accessibility
// interface: WM_GETOBJECT for the client area is answered with an
// IAccessible whose children are the form's static texts, its windowed
// controls (which answer for themselves) and its command labels as push
// buttons. The accessibility libraries are loaded on the first request, so
// a program nobody reads pays nothing at start-up.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TControl;
class TForm;
class TGraphicControl;
class TLabel;
class TWinControl;
class ClientObject;

struct TAccessibleDesign {
  const char *name = nullptr;  // the window's name, when no label shows it
  TLabel *heading = nullptr;   // the label that names the window
  std::vector<TLabel *> texts; // what a reader reads, in reading order
};

// A command's name: its caption without the brackets and padding around it.
std::string CommandName(const std::string &caption);

class TFormAccessible {
public:
  explicit TFormAccessible(TForm &form) : form_(form) {}
  ~TFormAccessible();
  TFormAccessible(const TFormAccessible &) = delete;
  TFormAccessible &operator=(const TFormAccessible &) = delete;

  void SetDesign(TAccessibleDesign design) { design_ = std::move(design); }

  // The answer to WM_GETOBJECT with OBJID_CLIENT; 0 when the libraries
  // cannot be had (the platform then gives its default object).
  LRESULT Answer(WPARAM wParam);
  // Raise the events a reader follows.
  void TextChanged(const TLabel &label) const;
  void CommandFocused(const TGraphicControl *command) const;
  // The default action, posted to the form so it runs from its own queue.
  void RunDefaultAction(long childId);
  static UINT DefaultActionMessage();

  // The tree as the object reads it. Child ids count from 1; 0 is the
  // window itself.
  struct Child {
    TLabel *text = nullptr;        // read as static text
    TWinControl *window = nullptr; // a windowed control, answering for itself
    TLabel *command = nullptr;     // read as a push button
  };
  long ChildCount() const;
  // The child `childId` names; nothing (every pointer null) for the window
  // itself and for an id that names no child.
  Child ChildAt(long childId) const;
  // Ids that name no child (nor the window) answer empty.
  std::string Name(long childId) const;
  long Role(long childId) const;
  long State(long childId) const;
  RECT ScreenBounds(long childId) const;
  long FocusedChild() const;
  HWND Window() const;

private:
  long ChildId(const TControl *control) const;

  TForm &form_;
  TAccessibleDesign design_;
  ClientObject *object_ = nullptr; // made on the first request
};
