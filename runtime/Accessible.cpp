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

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override {
    return Guarded([&] {
      return ole.createStdAccessibleObject(owner_->Window(), OBJID_WINDOW, __uuidof(IDispatch),
                                           reinterpret_cast<void **>(parent));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override {
    return Guarded([&] {
      *count = static_cast<LONG>(owner_->Children().size());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override {
    *object = nullptr;
    return Guarded([&] {
      long id = Id(child);
      if (id <= 0)
        return E_INVALIDARG;
      TFormAccessible::Child entry = owner_->Children()[static_cast<size_t>(id - 1)];
      if (entry.kind != TFormAccessible::Kind::Window)
        return S_FALSE; // a simple element, read through this object
      HWND window = static_cast<TWinControl *>(entry.control)->Handle();
      return ole.createStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IDispatch),
                                           reinterpret_cast<void **>(object));
    });
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override {
    return Guarded([&] { return Answer(child, name, owner_->Name(Id(child))); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR *value) override {
    *value = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR *description) override {
    *description = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override {
    return NumberOf(child, role, &TFormAccessible::Role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override {
    return NumberOf(child, state, &TFormAccessible::State);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR *help) override {
    *help = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT, LONG *topic) override {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR *shortcut) override {
    *shortcut = nullptr;
    return S_FALSE;
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
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override {
    return Guarded([&] {
      long id = Id(child);
      if (id <= 0 || owner_->Role(id) != ROLE_SYSTEM_PUSHBUTTON) {
        *action = nullptr;
        return id < 0 ? E_INVALIDARG : S_FALSE;
      }
      return Answer(child, action, "Press");
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height,
                                        VARIANT child) override {
    return Guarded([&] {
      long id = Id(child);
      if (id < 0)
        return E_INVALIDARG;
      RECT bounds = owner_->ScreenBounds(id);
      *left = bounds.left;
      *top = bounds.top;
      *width = bounds.right - bounds.left;
      *height = bounds.bottom - bounds.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override {
    end->vt = VT_EMPTY;
    return Guarded([&] {
      long count = static_cast<long>(owner_->Children().size()), id = Id(start), next = 0;
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
      long count = static_cast<long>(owner_->Children().size());
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
    return Guarded([&] {
      long id = Id(child);
      if (id <= 0 || owner_->Role(id) != ROLE_SYSTEM_PUSHBUTTON)
        return id < 0 ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
      PostMessageA(owner_->Window(), kDefaultActionMessage, static_cast<WPARAM>(id), 0);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  // The child id of a VARIANT, -1 when it names no child.
  long Id(const VARIANT &child) const {
    if (child.vt != VT_I4 || child.lVal < 0 ||
        child.lVal > static_cast<long>(owner_->Children().size()))
      return -1;
    return child.lVal;
  }
  HRESULT Answer(const VARIANT &child, BSTR *out, const std::string &text) const {
    *out = nullptr;
    if (Id(child) < 0)
      return E_INVALIDARG;
    *out = Text(text);
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  // A number the form answers for one of its children (role, state).
  HRESULT NumberOf(const VARIANT &child, VARIANT *out, long (TFormAccessible::*ask)(long) const) {
    return Guarded([&] {
      long id = Id(child);
      if (id < 0)
        return E_INVALIDARG;
      SetLong(out, (owner_->*ask)(id));
      return S_OK;
    });
  }
  template <class Body> HRESULT Guarded(Body &&body) {
    if (!owner_)
      return RPC_E_DISCONNECTED;
    return GuardedEntry<HRESULT>(E_FAIL, body);
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

std::vector<TFormAccessible::Child> TFormAccessible::Children() const {
  std::vector<Child> children;
  for (TLabel *label : design_.texts)
    children.push_back({Kind::Text, label});
  for (TControl *control : form_.Controls())
    if (control->IsWindowed() && control->Visible() &&
        static_cast<TWinControl *>(control)->HandleAllocated())
      children.push_back({Kind::Window, control});
  for (TControl *control : form_.Keyboard().Design().order)
    if (!control->IsWindowed())
      children.push_back({Kind::Command, control});
  return children;
}

long TFormAccessible::ChildId(const TControl *control) const {
  std::vector<Child> children = Children();
  for (size_t i = 0; i < children.size(); ++i)
    if (children[i].control == control)
      return static_cast<long>(i + 1);
  return -1;
}

std::string TFormAccessible::Name(long childId) const {
  if (childId == CHILDID_SELF) {
    if (design_.heading)
      return design_.heading->Caption();
    return design_.name ? design_.name : form_.Caption();
  }
  Child child = Children()[static_cast<size_t>(childId - 1)];
  auto *label = static_cast<TLabel *>(child.control);
  switch (child.kind) {
  case Kind::Text: {
    std::string text = Trimmed(label->Caption());
    return label->AccessibleNote().empty() ? text : text + " (" + label->AccessibleNote() + ")";
  }
  case Kind::Command:
    return CommandName(label->Caption());
  case Kind::Window:
    break;
  }
  return "";
}

long TFormAccessible::Role(long childId) const {
  if (childId == CHILDID_SELF)
    return ROLE_SYSTEM_CLIENT;
  switch (Children()[static_cast<size_t>(childId - 1)].kind) {
  case Kind::Text:
    return ROLE_SYSTEM_STATICTEXT;
  case Kind::Command:
    return ROLE_SYSTEM_PUSHBUTTON;
  case Kind::Window:
    break;
  }
  return ROLE_SYSTEM_WINDOW;
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
  Child child = Children()[static_cast<size_t>(childId - 1)];
  if (!child.control->Visible())
    state |= STATE_SYSTEM_INVISIBLE;
  if (!child.control->Enabled() || !form_.Enabled())
    state |= STATE_SYSTEM_UNAVAILABLE;
  if (child.kind == Kind::Text)
    state |= STATE_SYSTEM_READONLY;
  if (child.kind == Kind::Command) {
    state |= STATE_SYSTEM_FOCUSABLE;
    if (form_.Keyboard().FocusedCommand() == child.control)
      state |= STATE_SYSTEM_FOCUSED;
  }
  return state;
}

RECT TFormAccessible::ScreenBounds(long childId) const {
  RECT bounds{0, 0, form_.ClientWidth(), form_.ClientHeight()};
  if (childId != CHILDID_SELF)
    bounds = Children()[static_cast<size_t>(childId - 1)].control->BoundsRect();
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
  std::vector<Child> children = Children();
  if (childId <= 0 || childId > static_cast<long>(children.size()) ||
      children[static_cast<size_t>(childId - 1)].kind != Kind::Command)
    return;
  auto *command =
      static_cast<TGraphicControl *>(children[static_cast<size_t>(childId - 1)].control);
  // What a click does, where a click would be taken.
  if (form_.Enabled() && command->Visible() && command->Enabled() && command->OnClick)
    command->OnClick();
}

UINT TFormAccessible::DefaultActionMessage() {
  return kDefaultActionMessage;
}
