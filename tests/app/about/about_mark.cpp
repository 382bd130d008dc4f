// A stand-in for a program the About dialog starts: it leaves its command
// line, as UTF-16, in a file named after itself plus ".mark", and ends.
#include <windows.h>

#include <string>

#include "win32/unique_handle.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return 1;
  path.resize(length);
  path += L".mark";

  const win32::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  const wchar_t* commandLine = GetCommandLineW();
  DWORD written = 0;
  return WriteFile(file.get(), commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written,
                   nullptr)
             ? 0
             : 1;
}
