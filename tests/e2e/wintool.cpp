// A small console helper for end-to-end tests, run in the same Wine prefix
// as the program under test. It finds top-level windows and reads or closes
// message boxes, which the X side cannot see into.
//
// A name is a window class, =CAPTION for any window with that caption, or
// !CAPTION for a message box with that caption.
//
//   wintool wait CLASS|=CAPTION SECONDS   prints "x y width height enabled visible"
//   wintool gone CLASS|=CAPTION SECONDS   waits until no such visible window exists
//   wintool text =CAPTION SECONDS         prints the texts of a box's children
//   wintool press =CAPTION ID             clicks a box's button (1 OK, 2 Cancel)
//   wintool close CLASS|=CAPTION          sends WM_CLOSE
//   wintool move CLASS|=CAPTION X Y       moves the window's top-left corner
//   wintool items CLASS|=CAPTION KIND     prints the selected index, then the
//                                         items of its first child list box
//                                         (KIND ListBox) or combo box (ComboBox)
//   wintool state                         prints TForm1=E ... TForm6=E, E being 1
//                                         (shown, enabled), 0 (shown, disabled)
//                                         or - (not shown)
//   wintool procs EXE                     prints how many processes run EXE
//   wintool kill EXE                      ends every process running EXE
//   wintool tree CLASS                    prints the window's accessible tree, one
//                                         line per object: role|name|states|x y w h
//                                         (client coordinates; states: f focusable,
//                                         * focused, u unavailable, r read-only)
//   wintool act CLASS NAME                runs the default action of the child
//                                         named NAME
//   wintool run COMMAND-LINE              starts COMMAND-LINE as the platform reads
//                                         one (quoted program path, arguments),
//                                         waits, and exits with its exit code
//   wintool textmask W H PX FLAGS TEXT    draws TEXT as a label of W x H in bold
//                                         Arial of PX pixels, centred if FLAGS
//                                         has c, word-wrapped if it has w, and
//                                         prints H rows of W marks: # ink, . none
// Exit code 0 on success, 1 on time-out or when nothing was found.
#include <windows.h>

#include <oleacc.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
struct Query {
  std::string name; // class name, or caption after '='
  HWND found = nullptr;
};

bool IsDialogBox(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return lstrcmpA(name, "#32770") == 0;
}

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto *query = reinterpret_cast<Query *>(data);
  if (!IsWindowVisible(window))
    return TRUE;
  char text[512] = "";
  if (query->name[0] == '=' || query->name[0] == '!') {
    if (query->name[0] == '!' && !IsDialogBox(window))
      return TRUE;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 1000, &result);
    if (query->name.compare(1, std::string::npos, text) != 0)
      return TRUE;
  } else {
    GetClassNameA(window, text, sizeof text);
    if (query->name != text)
      return TRUE;
  }
  // A caption can be shared by a form and a message box: the box wins.
  if (!query->found || IsDialogBox(window))
    query->found = window;
  return !IsDialogBox(window);
}

HWND Find(const std::string &name) {
  Query query{name};
  EnumWindows(Match, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitFor(const std::string &name, double seconds) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(50))
    if (HWND window = Find(name))
      return window;
  return nullptr;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  char text[2048] = "";
  DWORD_PTR result = 0;
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 1000, &result);
  if (text[0])
    printf("%s\n", text);
  return TRUE;
}
struct ChildQuery {
  const char *className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data) {
  auto *query = reinterpret_cast<ChildQuery *>(data);
  char name[64] = "";
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, query->className) != 0)
    return TRUE;
  query->found = child;
  return FALSE;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
  return static_cast<LRESULT>(result);
}

int PrintItems(HWND window, const char *kind) {
  ChildQuery query{kind};
  EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&query));
  if (!query.found)
    return 1;
  bool list = lstrcmpiA(kind, "ListBox") == 0;
  int count = static_cast<int>(Ask(query.found, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  printf("%d\n", static_cast<int>(Ask(query.found, list ? LB_GETCURSEL : CB_GETCURSEL, 0, 0)));
  for (int i = 0; i < count; ++i) {
    // Asked in UTF-16: across processes Wine hands the item over as such.
    wchar_t wide[1024] = L"";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(query.found, list ? LB_GETTEXT : CB_GETLBTEXT, i,
                        reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &result);
    char text[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    printf("%s\n", text);
  }
  return 0;
}
// Counts, or ends, the processes of this prefix whose program is EXE.
int EachProcess(const char *exe, bool terminate) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return -1;
  int count = 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, exe) != 0)
      continue;
    ++count;
    if (!terminate)
      continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 9);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
  return count;
}

// The ink of a label's text as the program draws it (same font and flags),
// so a test can compare it with the screen pixel for pixel.
int PrintTextMask(int width, int height, int pixels, const std::string &flagLetters,
                  const char *text) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void *bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc || !bitmap)
    return 1;
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  LOGFONTA lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = ANSI_CHARSET;
  lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT rect{0, 0, width, height};
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  UINT flags = DT_EXPANDTABS | DT_NOPREFIX;
  if (flagLetters.find('c') != std::string::npos)
    flags |= DT_CENTER;
  if (flagLetters.find('w') != std::string::npos)
    flags |= DT_WORDBREAK;
  DrawTextA(dc, text, -1, &rect, flags);
  GdiFlush();
  const auto *ink = static_cast<const DWORD *>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      putchar((ink[y * width + x] & 0xFFFFFF) == 0 ? '#' : '.');
    putchar('\n');
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return 0;
}
// The platform's accessibility interface, as a screen reader reads it.
const char *RoleName(long role) {
  switch (role) {
  case ROLE_SYSTEM_CLIENT:
    return "client";
  case ROLE_SYSTEM_STATICTEXT:
    return "text";
  case ROLE_SYSTEM_PUSHBUTTON:
    return "button";
  case ROLE_SYSTEM_WINDOW:
    return "window";
  default:
    return "other";
  }
}

std::string Narrow(BSTR text) {
  char narrow[2048] = "";
  if (text)
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  SysFreeString(text);
  return narrow;
}

VARIANT ChildId(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::string Describe(IAccessible *object, long id, POINT origin) {
  VARIANT child = ChildId(id), role{}, state{};
  BSTR name = nullptr;
  object->get_accName(child, &name);
  object->get_accRole(child, &role);
  object->get_accState(child, &state);
  long x = 0, y = 0, w = 0, h = 0;
  object->accLocation(&x, &y, &w, &h, child);
  std::string states;
  if (state.lVal & STATE_SYSTEM_FOCUSABLE)
    states += 'f';
  if (state.lVal & STATE_SYSTEM_FOCUSED)
    states += '*';
  if (state.lVal & STATE_SYSTEM_UNAVAILABLE)
    states += 'u';
  if (state.lVal & STATE_SYSTEM_READONLY)
    states += 'r';
  char line[2400];
  snprintf(line, sizeof line, "%s|%s|%s|%ld %ld %ld %ld", RoleName(role.lVal), Narrow(name).c_str(),
           states.c_str(), x - origin.x, y - origin.y, w, h);
  return line;
}

// Prints the tree, or runs the default action of the child named `action`.
int ReadAccessible(HWND window, const char *action) {
  IAccessible *object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void **>(&object))))
    return 1;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  long count = 0;
  object->get_accChildCount(&count);
  if (!action)
    printf("%s\n", Describe(object, CHILDID_SELF, origin).c_str());
  int rc = action ? 1 : 0;
  for (long id = 1; id <= count; ++id) {
    IDispatch *dispatch = nullptr;
    IAccessible *child = nullptr;
    if (object->get_accChild(ChildId(id), &dispatch) == S_OK && dispatch &&
        SUCCEEDED(dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void **>(&child)))) {
      // A window of its own: the platform's object answers for it.
      if (!action)
        printf("%s\n", Describe(child, CHILDID_SELF, origin).c_str());
      child->Release();
    } else {
      BSTR name = nullptr;
      object->get_accName(ChildId(id), &name);
      std::string text = Narrow(name);
      if (!action)
        printf("%s\n", Describe(object, id, origin).c_str());
      else if (text == action)
        rc = FAILED(object->accDoDefaultAction(ChildId(id))) ? 1 : 0;
    }
    if (dispatch)
      dispatch->Release();
  }
  object->Release();
  return rc;
}
} // namespace

int main(int argc, char **argv) {
  if (argc == 2 && std::string(argv[1]) == "state") {
    for (int i = 1; i <= 6; ++i) {
      HWND window = Find("TForm" + std::to_string(i));
      printf("%sTForm%d=%s", i > 1 ? " " : "", i,
             !window                   ? "-"
             : IsWindowEnabled(window) ? "1"
                                       : "0");
    }
    printf("\n");
    return 0;
  }
  if (argc < 3) {
    fprintf(
        stderr,
        "usage: wintool wait|gone|text|press|close|move|items|procs|kill|textmask NAME [ARG]\n");
    return 2;
  }
  std::string verb = argv[1], name = argv[2];
  double seconds = argc > 3 ? atof(argv[3]) : 10;
  if (verb == "wait") {
    HWND window = WaitFor(name, seconds);
    if (!window)
      return 1;
    RECT rect;
    GetWindowRect(window, &rect);
    printf("%ld %ld %ld %ld %d %d\n", rect.left, rect.top, rect.right - rect.left,
           rect.bottom - rect.top, IsWindowEnabled(window) ? 1 : 0,
           IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  if (verb == "gone") {
    for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000; Sleep(50))
      if (!Find(name))
        return 0;
    return 1;
  }
  if (verb == "text") {
    HWND window = WaitFor(name, seconds);
    if (!window)
      return 1;
    EnumChildWindows(window, PrintChild, 0);
    return 0;
  }
  if (verb == "press") {
    HWND window = WaitFor(name, 10);
    if (!window)
      return 1;
    int id = argc > 3 ? atoi(argv[3]) : IDOK;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    return 0;
  }
  if (verb == "close") {
    HWND window = Find(name);
    if (!window)
      return 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (verb == "move" && argc > 4) {
    HWND window = WaitFor(name, 5);
    return window && SetWindowPos(window, nullptr, atoi(argv[3]), atoi(argv[4]), 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
               ? 0
               : 1;
  }
  if (verb == "items") {
    HWND window = WaitFor(name, 5);
    return window && argc > 3 ? PrintItems(window, argv[3]) : 1;
  }
  if (verb == "procs") {
    printf("%d\n", EachProcess(name.c_str(), false));
    return 0;
  }
  if (verb == "kill") {
    EachProcess(name.c_str(), true);
    return EachProcess(name.c_str(), false) == 0 ? 0 : 1;
  }
  if (verb == "tree" || (verb == "act" && argc > 3)) {
    HWND window = WaitFor(name, 5);
    if (!window)
      return 1;
    CoInitialize(nullptr);
    int rc = ReadAccessible(window, verb == "act" ? argv[3] : nullptr);
    CoUninitialize();
    return rc;
  }
  if (verb == "run") {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &name[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
      return 125;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
  }
  if (verb == "textmask" && argc > 6)
    return PrintTextMask(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), argv[5], argv[6]);
  fprintf(stderr, "wintool: unknown verb %s\n", verb.c_str());
  return 2;
}
