// Stand-in for a browser or mail program in the click tests. Registered as
// the handler of a test URL scheme and of "mailto:" in the tests' Wine
// prefix as: link_mark.exe MARKFILE "%1". Appends the link it was given,
// one line per run, to MARKFILE (UTF-8).
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 2;
  const std::wstring link = arguments[2];
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, link.c_str(), static_cast<int>(link.size()), nullptr, 0, nullptr, nullptr);
  std::string line(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, link.c_str(), static_cast<int>(link.size()), line.data(), bytes, nullptr, nullptr);
  line += '\n';
  // Two links opened at once start two of these: both append, sharing the
  // file, and one that finds it held by a reader tries again a little later.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 100 && file == INVALID_HANDLE_VALUE; ++tries) {
    file = CreateFileW(arguments[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
      Sleep(20);
    else
      break;
  }
  LocalFree(arguments);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size() ? 0 : 1;
}
