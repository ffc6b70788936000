// _com_util::ConvertStringToBSTR, which comutil.h declares and _bstr_t's
// constructor from a narrow string calls. Microsoft ships it in comsupp.lib;
// MinGW-w64 declares it but has no library with it, and UnRAR's isnt.cpp
// (its Windows 11 check through WMI) needs it. Text in the ANSI code page.
#include <comutil.h>
#include <oleauto.h>
#include <windows.h>

namespace _com_util {

BSTR WINAPI ConvertStringToBSTR(const char *pSrc) {
  if (pSrc == nullptr)
    return nullptr;
  const int wide = MultiByteToWideChar(CP_ACP, 0, pSrc, -1, nullptr, 0);
  if (wide <= 0)
    return nullptr;
  // wide counts the terminating zero; SysAllocStringLen adds its own.
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wide - 1));
  if (result == nullptr)
    return nullptr;
  MultiByteToWideChar(CP_ACP, 0, pSrc, -1, result, wide);
  return result;
}

} // namespace _com_util
