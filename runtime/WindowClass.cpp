#include "runtime/WindowClass.h"

namespace {
// The program's icon in both sizes, looked up once for every class. A class
// registered with only the large one would get the small one made from the
// resource again at each registration (about 2 ms each under Wine).
HICON ProgramIcon(bool small) {
  static const HICON icons[2] = {
      LoadIconA(GetModuleHandleA(nullptr), "MAINICON"),
      static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                    LR_SHARED))};
  return icons[small];
}

// The arrow is every form's cursor: looked up once too.
HCURSOR Cursor(LPCSTR name) {
  static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  return name == IDC_ARROW ? arrow : LoadCursorA(nullptr, name);
}

void Register(WNDCLASSEXA &wc) {
  wc.cbSize = sizeof wc;
  wc.hInstance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing))
    RegisterClassExA(&wc);
}
} // namespace

void RegisterWindowClass(WNDCLASSA wc) {
  WNDCLASSEXA extended{sizeof extended,  wc.style,        wc.lpfnWndProc,   wc.cbClsExtra,
                       wc.cbWndExtra,    nullptr,         wc.hIcon,         wc.hCursor,
                       wc.hbrBackground, wc.lpszMenuName, wc.lpszClassName, nullptr};
  Register(extended);
}

void RegisterWindowClass(const char *name, WNDPROC procedure, LPCSTR cursor, bool programIcon) {
  WNDCLASSEXA wc{};
  wc.lpfnWndProc = procedure;
  wc.lpszClassName = name;
  if (cursor)
    wc.hCursor = Cursor(cursor);
  if (programIcon) {
    wc.hIcon = ProgramIcon(false);
    wc.hIconSm = ProgramIcon(true);
  }
  Register(wc);
}
