#include "release/RegistryImport.h"

#include <cstdarg>
#include <utility>

#include "release/RegistryFileText.h"
#include "runtime/FileQueries.h"
#include "runtime/Handles.h"
#include "runtime/LibraryFunction.h"
#include "runtime/WideString.h"

namespace {
// Enough for the header in either encoding, after a few blank lines.
constexpr size_t kHeadBytes = 4096;

// shell32 is loaded only when the editor is started: the program imports
// nothing of the shell at start-up.
HINSTANCE PlatformShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                               LPCSTR folder, INT show) {
  using Call = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  static const Call call = LibraryFunction<Call>(SystemLibrary("shell32.dll"), "ShellExecuteA");
  return call ? call(owner, verb, file, parameters, folder, show) : nullptr;
}

ShellExecuteFunction shellExecute = PlatformShellExecute;

// UTF-8 text (without its mark) in the encoding its header stands for:
// UTF-16LE with its mark, as the editor saves, or the ANSI code page for
// "REGEDIT4". "" when the text is no UTF-8 or a character has no form in
// the code page.
std::string InEditorEncoding(const std::string &utf8, bool regedit4) {
  const int size = static_cast<int>(utf8.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0)
    return {};
  WideString wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
  if (!regedit4)
    return "\xFF\xFE" + std::string(reinterpret_cast<const char *>(wide.data()), wide.size() * 2);
  BOOL lost = FALSE;
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr,
                                        0, nullptr, &lost);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, &out[0], bytes, nullptr,
                      nullptr);
  return lost ? std::string() : out;
}

// A new file in the temporary folder holding `bytes`: its path, or "" with
// nothing left behind.
std::string TemporaryCopy(const std::string &bytes) {
  char folder[MAX_PATH + 1] = "", name[MAX_PATH + 1] = "";
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH || !GetTempFileNameA(folder, "reg", 0, name))
    return {};
  FileHandle file(CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr));
  DWORD written = 0;
  if (file &&
      WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && file.Close())
    return name;
  file.Close();
  DeleteFileA(name);
  return {};
}

// The sentence `format` makes of its arguments (at most 1024 characters:
// paths and numbers only).
std::string Sentence(const char *format, ...) {
  char text[1025];
  va_list arguments;
  va_start(arguments, format);
  wvsprintfA(text, format, arguments);
  va_end(arguments);
  return text;
}

// Runs the editor silently on `file` and waits; the sentences name `path`,
// the release's own file.
std::string RunSilently(const std::string &file, const std::string &path) {
  const std::string editor = RegistryEditorPath();
  std::string command = Sentence("\"%s\" /s \"%s\"", editor.c_str(), file.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (editor.empty() || !CreateProcessA(editor.c_str(), &command[0], nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process))
    return Sentence("Cannot start the registry editor %s (error %lu).", editor.c_str(),
                    GetLastError());
  FileHandle processHandle(process.hProcess), threadHandle(process.hThread);
  DWORD exitCode = 0;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &exitCode))
    return Sentence("Cannot wait for the registry editor (error %lu).", GetLastError());
  if (exitCode != 0)
    return Sentence("The registry editor did not import %s (exit code %lu).", path.c_str(),
                    exitCode);
  return "";
}
} // namespace

std::string RegistryEditorPath() {
  // The system's Windows folder: the one a program without terminal-server
  // awareness is told about may be a private folder of the user's.
  char folder[MAX_PATH + 1] = "";
  const UINT length = GetSystemWindowsDirectoryA(folder, sizeof folder);
  if (length == 0 || length > MAX_PATH)
    return "";
  return Sentence(folder[length - 1] == '\\' ? "%sregedit.exe" : "%s\\regedit.exe", folder);
}

void StartRegistryEditor(const std::string &fileName) {
  const std::string editor = RegistryEditorPath();
  if (editor.empty())
    return;
  // Quoted, so a name with blanks reaches the editor as one argument.
  const std::string parameters = Sentence("\"%s\"", fileName.c_str());
  shellExecute(nullptr, "open", editor.c_str(), parameters.c_str(), "", SW_SHOWNORMAL);
}

std::string ImportRegistryFile(const std::string &path) {
  // The editor's silent mode ends with exit code 0 on a file it refuses
  // (Wine's does so on a missing one too): what it would refuse is found
  // here.
  const std::string bytes = FileBytes(path);
  const std::string text = RegistryFileText(bytes.substr(0, kHeadBytes));
  if (!HasRegistryHeader(text))
    return Sentence("The registry file %s has no \"%s\" or \"%s\" header.", path.c_str(),
                    kRegedit4Header, kRegedit5Header);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
    return RunSilently(path, path);
  // The editor reads UTF-16 with its mark or the ANSI code page, and passes
  // over a UTF-8 file without a word: it gets a converted copy.
  const std::string converted =
      InEditorEncoding(bytes.substr(3), RegistryHeader(text) == kRegedit4Header);
  if (converted.empty())
    return Sentence("The registry file %s cannot be converted from UTF-8 to its header's encoding.",
                    path.c_str());
  const std::string copy = TemporaryCopy(converted);
  if (copy.empty())
    return Sentence("The registry file %s cannot be copied to the temporary folder.", path.c_str());
  std::string failure = RunSilently(copy, path);
  DeleteFileA(copy.c_str());
  return failure;
}

void SetShellExecute(ShellExecuteFunction function) {
  shellExecute = function ? std::move(function) : PlatformShellExecute;
}
