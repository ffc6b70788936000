#include "runtime/Accessible.h"

#include <oleacc.h>

#include "runtime/Form.h"
#include "runtime/Label.h"
#include "runtime/LibraryFunction.h"
#include "runtime/SystemEntry.h"
#include "runtime/WideString.h"

namespace {
// The accessibility and automation libraries, loaded on the first request.
struct OleLibraries {
  bool loaded = false;
  LRESULT(WINAPI *lresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI *createStdAccessibleObject)(HWND, LONG, REFIID, void **) = nullptr;
  BSTR(WINAPI *sysAllocString)(const OLECHAR *) = nullptr;

  bool Ready() {
    if (!loaded) {
      loaded = true;
      // Cross-process answers go through the object's apartment.
      using CoInitializeFunction = HRESULT(WINAPI *)(void *);
      if (auto coInitialize =
              LibraryFunction<CoInitializeFunction>(SystemLibrary("ole32.dll"), "CoInitialize"))
        coInitialize(nullptr);
      HMODULE oleacc = SystemLibrary("oleacc.dll");
      lresultFromObject = LibraryFunction<decltype(lresultFromObject)>(oleacc, "LresultFromObject");
      createStdAccessibleObject =
          LibraryFunction<decltype(createStdAccessibleObject)>(oleacc, "CreateStdAccessibleObject");
      sysAllocString = LibraryFunction<decltype(sysAllocString)>(SystemLibrary("oleaut32.dll"),
                                                                 "SysAllocString");
    }
    return lresultFromObject && createStdAccessibleObject && sysAllocString;
  }
} ole;

// Posted to the form by accDoDefaultAction: wParam is the child id.
constexpr UINT kDefaultActionMessage = WM_APP + 0x4A;

BSTR Text(const std::string &text) {
  int length =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  WideString wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return ole.sysAllocString(wide.c_str());
}

void SetLong(VARIANT *variant, long value) {
  variant->vt = VT_I4;
  variant->lVal = value;
}

// The control a child of the tree is; nullptr for nothing.
const TControl *ControlOf(const TFormAccessible::Child &child) {
  if (child.text)
    return child.text;
  if (child.window)
    return child.window;
  return child.command;
}

std::string Trimmed(const std::string &text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

std::string CommandName(const std::string &caption) {
  std::string name = Trimmed(caption);
  if (!name.empty() && name.front() == '[')
    name.erase(0, 1);
  if (!name.empty() && name.back() == ']')
    name.pop_back();
  return Trimmed(name);
}

// The client area's accessible object. It reads the form through its
// owner, which lets go of it when the form goes: readers may hold it longer.
class ClientObject final : public IAccessible {
public:
  explicit ClientObject(TFormAccessible *owner) : owner_(owner) {}
  void Disconnect() { owner_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible *>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0)
      delete this;
    return static_cast<ULONG>(left);
  }

  // No type information: readers call the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                                   UINT *) override {
    return E_NOTIMPL;
  }

  // Every entry below answers RPC_E_DISCONNECTED once the form is gone and
  // E_INVALIDARG for a child id that names neither the window (0) nor one
  // of its children: ids come from other processes and from earlier trees.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
    *parent = nullptr;
    return Guarded([&] {
      return ole.createStdAccessibleObject(owner_->Window(), OBJID_WINDOW, __uuidof(IDispatch),
                                           reinterpret_cast<void **>(parent));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override {
    return Guarded([&] {
      *count = owner_->ChildCount();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override {
    *object = nullptr;
    return ForChild(child, [&] {
      if (child.lVal == CHILDID_SELF)
        return E_INVALIDARG;
      TWinControl *window = owner_->ChildAt(child.lVal).window;
      if (!window)
        return S_FALSE; // a simple element, read through this object
      return ole.createStdAccessibleObject(window->Handle(), OBJID_CLIENT, __uuidof(IDispatch),
                                           reinterpret_cast<void **>(object));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override {
    *name = nullptr;
    return ForChild(child, [&] { return Answer(name, owner_->Name(child.lVal)); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override {
    return NoText(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override {
    return NoText(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override {
    return NumberOf(child, role, &TFormAccessible::Role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override {
    return NumberOf(child, state, &TFormAccessible::State);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override {
    return NoText(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override {
    *topic = 0;
    return NoText(child, file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override {
    return NoText(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override {
    focus->vt = VT_EMPTY;
    return Guarded([&] {
      long id = owner_->FocusedChild();
      if (id < 0)
        return S_FALSE;
      SetLong(focus, id);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override {
    selection->vt = VT_EMPTY;
    return owner_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override {
    *action = nullptr;
    return ForChild(child, [&] {
      return owner_->ChildAt(child.lVal).command ? Answer(action, "Press") : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT child) override {
    return Named(child, E_NOTIMPL);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                        VARIANT child) override {
    return ForChild(child, [&] {
      RECT bounds = owner_->ScreenBounds(child.lVal);
      *left = bounds.left;
      *top = bounds.top;
      *width = bounds.right - bounds.left;
      *height = bounds.bottom - bounds.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override {
    end->vt = VT_EMPTY;
    return ForChild(start, [&] {
      long count = owner_->ChildCount(), id = start.lVal, next = 0;
      switch (direction) {
      case NAVDIR_FIRSTCHILD:
        next = id == CHILDID_SELF && count ? 1 : 0;
        break;
      case NAVDIR_LASTCHILD:
        next = id == CHILDID_SELF ? count : 0;
        break;
      case NAVDIR_NEXT:
        next = id > 0 && id < count ? id + 1 : 0;
        break;
      case NAVDIR_PREVIOUS:
        next = id > 1 ? id - 1 : 0;
        break;
      default:
        return E_NOTIMPL;
      }
      if (next == 0)
        return S_FALSE;
      SetLong(end, next);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT *child) override {
    child->vt = VT_EMPTY;
    return Guarded([&] {
      POINT point{x, y};
      long count = owner_->ChildCount();
      for (long id = count; id >= 0; --id) {
        RECT bounds = owner_->ScreenBounds(id);
        if (PtInRect(&bounds, point)) {
          SetLong(child, id);
          return S_OK;
        }
      }
      return S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return ForChild(child, [&] {
      if (!owner_->ChildAt(child.lVal).command)
        return DISP_E_MEMBERNOTFOUND;
      PostMessageA(owner_->Window(), kDefaultActionMessage, static_cast<WPARAM>(child.lVal), 0);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR) override {
    return Named(child, E_NOTIMPL);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR) override {
    return Named(child, E_NOTIMPL);
  }

private:
  template <class Body> HRESULT Guarded(Body &&body) {
    if (!owner_)
      return RPC_E_DISCONNECTED;
    return GuardedEntry<HRESULT>(E_FAIL, body);
  }
  // `answer` when `child` names the window or one of its children.
  HRESULT Named(const VARIANT &child, HRESULT answer = S_OK) {
    return Guarded([&] {
      bool named = child.vt == VT_I4 &&
                   (child.lVal == CHILDID_SELF || ControlOf(owner_->ChildAt(child.lVal)));
      return named ? answer : E_INVALIDARG;
    });
  }
  // Runs `body` (which reads the id from `child`) once `child` is named.
  template <class Body> HRESULT ForChild(const VARIANT &child, Body &&body) {
    HRESULT named = Named(child);
    return named == S_OK ? GuardedEntry<HRESULT>(E_FAIL, body) : named;
  }
  static HRESULT Answer(BSTR *out, const std::string &text) {
    *out = Text(text);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  // A text no element has.
  HRESULT NoText(const VARIANT &child, BSTR *out) {
    *out = nullptr;
    return Named(child, S_FALSE);
  }
  // A number the form answers for one of its children (role, state).
  HRESULT NumberOf(const VARIANT &child, VARIANT *out, long (TFormAccessible::*ask)(long) const) {
    out->vt = VT_EMPTY;
    return ForChild(child, [&] {
      SetLong(out, (owner_->*ask)(child.lVal));
      return S_OK;
    });
  }

  TFormAccessible *owner_;
  LONG references_ = 1;
};

TFormAccessible::~TFormAccessible() {
  if (object_) {
    object_->Disconnect();
    object_->Release();
  }
}

HWND TFormAccessible::Window() const {
  return form_.Handle();
}

LRESULT TFormAccessible::Answer(WPARAM wParam) {
  if (!ole.Ready())
    return 0;
  if (!object_)
    object_ = new ClientObject(this);
  return ole.lresultFromObject(__uuidof(IAccessible), wParam, object_);
}

namespace {
// A windowed control of the form that a reader sees, else nullptr.
TWinControl *ReadableWindow(TControl *control) {
  if (!control->IsWindowed() || !control->Visible())
    return nullptr;
  auto *window = static_cast<TWinControl *>(control);
  return window->HandleAllocated() ? window : nullptr;
}
} // namespace

long TFormAccessible::ChildCount() const {
  long count =
      static_cast<long>(design_.texts.size()) + form_.Keyboard().Design().Commands().size();
  for (TControl *control : form_.Controls())
    count += ReadableWindow(control) ? 1 : 0;
  return count;
}

TFormAccessible::Child TFormAccessible::ChildAt(long childId) const {
  Child child;
  long index = childId - 1;
  long texts = static_cast<long>(design_.texts.size());
  if (index >= 0 && index < texts)
    child.text = design_.texts[static_cast<size_t>(index)];
  index -= texts;
  for (TControl *control : form_.Controls())
    if (TWinControl *window = ReadableWindow(control))
      if (index-- == 0)
        child.window = window;
  const TEntries<TLabel> &commands = form_.Keyboard().Design().Commands();
  if (index >= 0 && index < commands.size())
    child.command = commands[index];
  return child;
}

long TFormAccessible::ChildId(const TControl *control) const {
  for (long id = ChildCount(); id > 0; --id)
    if (ControlOf(ChildAt(id)) == control)
      return id;
  return -1;
}

std::string TFormAccessible::Name(long childId) const {
  if (childId == CHILDID_SELF) {
    if (design_.heading)
      return design_.heading->Caption();
    return design_.name ? design_.name : form_.Caption();
  }
  Child child = ChildAt(childId);
  if (child.text) {
    std::string text = Trimmed(child.text->Caption());
    const std::string &note = child.text->AccessibleNote();
    return note.empty() ? text : text + " (" + note + ")";
  }
  if (child.command)
    return CommandName(child.command->Caption());
  return "";
}

long TFormAccessible::Role(long childId) const {
  if (childId == CHILDID_SELF)
    return ROLE_SYSTEM_CLIENT;
  Child child = ChildAt(childId);
  if (child.text)
    return ROLE_SYSTEM_STATICTEXT;
  if (child.command)
    return ROLE_SYSTEM_PUSHBUTTON;
  return child.window ? ROLE_SYSTEM_WINDOW : 0;
}

long TFormAccessible::State(long childId) const {
  long state = 0;
  if (childId == CHILDID_SELF) {
    if (!form_.Visible())
      state |= STATE_SYSTEM_INVISIBLE;
    if (!form_.Enabled())
      state |= STATE_SYSTEM_UNAVAILABLE;
    if (GetFocus() == form_.Handle() && !form_.Keyboard().FocusedCommand())
      state |= STATE_SYSTEM_FOCUSED;
    return state;
  }
  Child child = ChildAt(childId);
  const TControl *control = ControlOf(child);
  if (!control)
    return 0;
  if (!control->Visible())
    state |= STATE_SYSTEM_INVISIBLE;
  if (!control->Enabled() || !form_.Enabled())
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (child.text)
    state |= STATE_SYSTEM_READONLY;
  if (child.command) {
    state |= STATE_SYSTEM_FOCUSABLE;
    if (form_.Keyboard().FocusedCommand() == child.command)
      state |= STATE_SYSTEM_FOCUSED;
  }
  return state;
}

RECT TFormAccessible::ScreenBounds(long childId) const {
  RECT bounds{0, 0, form_.ClientWidth(), form_.ClientHeight()};
  if (childId != CHILDID_SELF) {
    const TControl *control = ControlOf(ChildAt(childId));
    bounds = control ? control->BoundsRect() : RECT{0, 0, 0, 0};
  }
  MapWindowPoints(form_.Handle(), nullptr, reinterpret_cast<POINT *>(&bounds), 2);
  return bounds;
}

long TFormAccessible::FocusedChild() const {
  if (GetFocus() != form_.Handle())
    return -1;
  TGraphicControl *command = form_.Keyboard().FocusedCommand();
  return command ? ChildId(command) : CHILDID_SELF;
}

void TFormAccessible::TextChanged(const TLabel &label) const {
  if (!form_.HandleAllocated())
    return;
  if (&label == design_.heading)
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, form_.Handle(), OBJID_CLIENT, CHILDID_SELF);
  for (TLabel *text : design_.texts)
    if (text == &label)
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, form_.Handle(), OBJID_CLIENT, ChildId(&label));
}

void TFormAccessible::CommandFocused(const TGraphicControl *command) const {
  long id = command ? ChildId(command) : CHILDID_SELF;
  if (id >= 0)
    NotifyWinEvent(EVENT_OBJECT_FOCUS, form_.Handle(), OBJID_CLIENT, id);
}

void TFormAccessible::RunDefaultAction(long childId) {
  TLabel *command = ChildAt(childId).command;
  // What a click does, where a click would be taken.
  if (command && form_.Enabled() && command->Visible() && command->Enabled() && command->OnClick)
    form_.Click(*command);
}

UINT TFormAccessible::DefaultActionMessage() {
  return kDefaultActionMessage;
}
