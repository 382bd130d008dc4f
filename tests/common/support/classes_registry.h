#pragma once
// Values below HKEY_CLASSES_ROOT that tests write into their own prefix:
// URL schemes, handlers and classes that stand in for real ones.

#include <windows.h>

#include <string>

namespace zenthra::test {

// Sets the string value `name` (null: the default) of `key` below
// HKEY_CLASSES_ROOT, making the key if need be.
inline HRESULT SetClassesString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  return HRESULT_FROM_WIN32(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

}  // namespace zenthra::test
