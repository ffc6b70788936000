#include "registry/WinRegistry.h"

#include "runtime/Handles.h"
#include "runtime/LibraryFunction.h"
#include "runtime/WideString.h"

namespace {
struct KeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool Close(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using KeyHandle = UniqueHandle<HKEY, KeyTraits>;

// The registry's names in UTF-16, through the core's conversion so that a
// name read and written again is the same name.
WideString Wide(const std::string &utf8) {
  const std::string bytes = Utf16LeFromUtf8(utf8);
  WideString wide(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return wide;
}

std::string Utf8(const wchar_t *wide, size_t length) {
  std::string bytes;
  for (size_t i = 0; i < length; ++i) {
    bytes += static_cast<char>(wide[i] & 0xFF);
    bytes += static_cast<char>(wide[i] >> 8 & 0xFF);
  }
  return Utf8FromUtf16Le(bytes);
}

// The root of a path as CanonicalKeyPath writes it, and the rest after it.
HKEY Root(const std::string &key, WideString *rest) {
  static const struct {
    const char *name;
    HKEY root;
  } kRoots[] = {
      {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_USERS", HKEY_USERS},
      {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
  };
  const size_t slash = key.find('\\');
  const std::string root = key.substr(0, slash);
  *rest = slash == std::string::npos ? L"" : Wide(key.substr(slash + 1));
  for (const auto &known : kRoots)
    if (root == known.name)
      return known.root;
  return nullptr;
}

using IsWow64ProcessFunction = BOOL(WINAPI *)(HANDLE, PBOOL);
using RegDeleteKeyExWFunction = LONG(WINAPI *)(HKEY, LPCWSTR, REGSAM, DWORD);
} // namespace

WinRegistry &WinRegistry::Platform() {
  static WinRegistry registry;
  return registry;
}

WinRegistry::WinRegistry() {
  // Missing before XP SP2: a system without it is a 32-bit one.
  auto isWow64 =
      LibraryFunction<IsWow64ProcessFunction>(SystemLibrary("kernel32.dll"), "IsWow64Process");
  BOOL wow64 = FALSE;
  if (isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64)
    view_ = KEY_WOW64_64KEY;
}

HKEY WinRegistry::Open(const std::string &key, REGSAM access, unsigned long *error) {
  WideString rest;
  HKEY root = Root(key, &rest);
  HKEY opened = nullptr;
  const LONG result =
      root ? RegOpenKeyExW(root, rest.c_str(), 0, access | view_, &opened) : ERROR_FILE_NOT_FOUND;
  if (error)
    *error = static_cast<unsigned long>(result);
  return result == ERROR_SUCCESS ? opened : nullptr;
}

bool WinRegistry::KeyExists(const std::string &key) {
  return KeyHandle(Open(key, KEY_QUERY_VALUE)) ? true : false;
}

std::vector<std::string> WinRegistry::SubKeys(const std::string &key) {
  std::vector<std::string> names;
  KeyHandle opened(Open(key, KEY_ENUMERATE_SUB_KEYS));
  wchar_t name[256];
  for (DWORD index = 0; opened; ++index) {
    DWORD length = 256;
    if (RegEnumKeyExW(opened.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.push_back(Utf8(name, length));
  }
  return names;
}

std::vector<std::string> WinRegistry::ValueNames(const std::string &key) {
  std::vector<std::string> names;
  KeyHandle opened(Open(key, KEY_QUERY_VALUE));
  WideString name(16384, L'\0'); // the longest value name
  for (DWORD index = 0; opened; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    if (RegEnumValueW(opened.Get(), index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    names.push_back(Utf8(name.data(), length));
  }
  return names;
}

RegistryData WinRegistry::ReadValue(const std::string &key, const std::string &name) {
  RegistryData data;
  KeyHandle opened(Open(key, KEY_QUERY_VALUE));
  if (!opened)
    return data;
  const WideString wide = Wide(name);
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExW(opened.Get(), wide.c_str(), nullptr, &type, nullptr, &size);
  // Read until the value holds still (another program may write it).
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data.bytes.assign(size, '\0');
    result = RegQueryValueExW(opened.Get(), wide.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE *>(&data.bytes[0]), &size);
    if (result == ERROR_SUCCESS) {
      data.bytes.resize(size);
      data.exists = true;
      data.type = type;
      break;
    }
  }
  return data;
}

unsigned long WinRegistry::SetValue(const std::string &key, const std::string &name,
                                    const RegistryData &data) {
  unsigned long error = 0;
  KeyHandle opened(Open(key, KEY_SET_VALUE, &error));
  if (!opened)
    return error;
  return static_cast<unsigned long>(RegSetValueExW(
      opened.Get(), Wide(name).c_str(), 0, data.type,
      reinterpret_cast<const BYTE *>(data.bytes.data()), static_cast<DWORD>(data.bytes.size())));
}

unsigned long WinRegistry::DeleteValue(const std::string &key, const std::string &name) {
  unsigned long error = 0;
  KeyHandle opened(Open(key, KEY_SET_VALUE, &error));
  if (!opened)
    return error;
  return static_cast<unsigned long>(RegDeleteValueW(opened.Get(), Wide(name).c_str()));
}

unsigned long WinRegistry::CreateKey(const std::string &key) {
  WideString rest;
  HKEY root = Root(key, &rest);
  HKEY made = nullptr;
  const LONG result = root ? RegCreateKeyExW(root, rest.c_str(), 0, nullptr, 0,
                                             KEY_QUERY_VALUE | view_, nullptr, &made, nullptr)
                           : ERROR_FILE_NOT_FOUND;
  KeyHandle owner(made);
  return static_cast<unsigned long>(result);
}

unsigned long WinRegistry::DeleteKey(const std::string &key) {
  const size_t slash = key.rfind('\\');
  if (slash == std::string::npos)
    return ERROR_ACCESS_DENIED; // a root
  unsigned long error = 0;
  KeyHandle parent(Open(key.substr(0, slash), KEY_ENUMERATE_SUB_KEYS, &error));
  if (!parent)
    return error;
  const WideString name = Wide(key.substr(slash + 1));
  // RegDeleteKeyW deletes in the program's own view; the other view needs
  // the call that takes one (from XP x64 and Vista on).
  auto deleteKeyEx = view_ ? LibraryFunction<RegDeleteKeyExWFunction>(SystemLibrary("advapi32.dll"),
                                                                      "RegDeleteKeyExW")
                           : nullptr;
  return static_cast<unsigned long>(deleteKeyEx ? deleteKeyEx(parent.Get(), name.c_str(), view_, 0)
                                                : RegDeleteKeyW(parent.Get(), name.c_str()));
}

bool WinRegistry::MayCreateIn(const std::string &key) {
  return KeyHandle(Open(key, KEY_CREATE_SUB_KEY | KEY_SET_VALUE)) ? true : false;
}

unsigned long DeleteOwnKey(RegistryAccess &registry, const std::string &key) {
  if (!registry.KeyExists(key))
    return 0;
  for (const std::string &name : registry.ValueNames(key))
    registry.DeleteValue(key, name);
  return registry.DeleteKey(key);
}
