#include "link_opener.h"

#include <shellapi.h>

#include "bstr_text.h"
#include "module.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace tessarel {
namespace {

// Converts length characters of text to a null-terminated string in the
// ANSI code page; false (with the last error set) if the system cannot.
bool ToAnsi(const wchar_t* text, int length, win32::UniqueHeapArray<char>& ansi) {
  int bytes = 0;
  if (length != 0) {
    bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
  }
  // Zeroed, so the byte after the converted ones ends the string.
  ansi.reset(static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(bytes) + 1)));
  if (!ansi) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  return length == 0 || WideCharToMultiByte(CP_ACP, 0, text, length, ansi.get(), bytes, nullptr, nullptr) == bytes;
}

// The folder that holds tessarel.ocx, without a trailing separator, in the
// ANSI code page; empty when the system cannot tell the library's path.
bool LibraryFolderAnsi(win32::UniqueHeapArray<char>& folder) {
  win32::UniqueBstr path;
  const HRESULT hr = ModulePath(path);
  if (hr == E_OUTOFMEMORY) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  const wchar_t* characters = BstrChars(path.get());
  int length = SUCCEEDED(hr) ? static_cast<int>(SysStringLen(path.get())) : 0;
  int separator = length - 1;
  while (separator >= 0 && characters[separator] != L'\\' && characters[separator] != L'/') --separator;
  if (separator < 0) {
    length = 0;
  } else {
    // Keep the separator of a drive's root ("C:\").
    length = separator == 2 && characters[1] == L':' ? separator + 1 : separator;
  }
  return ToAnsi(characters, length, folder);
}

}  // namespace

HRESULT OpenLink(HWND owner, BSTR link) {
  win32::UniqueHeapArray<char> file, folder;
  RETURN_LAST_ERROR_IF(!ToAnsi(BstrChars(link), static_cast<int>(SysStringLen(link)), file) ||
                       !LibraryFolderAnsi(folder));
  // Parameters are an empty string, not a null pointer. The shell answers
  // a number above 32 when it has opened the link.
  const HINSTANCE opened = ShellExecuteA(owner, "Open", file.get(), "", folder.get(), SW_SHOWNORMAL);
  RETURN_LAST_ERROR_IF(reinterpret_cast<INT_PTR>(opened) <= 32);
  return S_OK;
}

}  // namespace tessarel
