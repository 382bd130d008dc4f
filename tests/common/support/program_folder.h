#pragma once
// Where the running test program lies: its helper programs and the build's
// products (tessarel.ocx, manifests) are put beside it.

#include <windows.h>

#include <string>

namespace zenthra::test {

// The running program's folder, with its trailing backslash.
inline std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace zenthra::test
