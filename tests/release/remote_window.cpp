#include "remote_window.h"

#include <array>

namespace zenthra::release::test {

RemoteProgram::RemoteProgram(const std::wstring& exe) {
  std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process_)) {
    error_ = GetLastError();
    process_ = {};
  }
}

RemoteProgram::~RemoteProgram() {
  if (!started()) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, INFINITE);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool RemoteProgram::running() const { return started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD RemoteProgram::waitForExit() {
  WaitForSingleObject(process_.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

namespace {

struct WindowSearch {
  DWORD process;
  std::wstring_view windowClass;
  std::wstring_view caption;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process || !IsWindowVisible(window) || classOf(window) != search.windowClass ||
      textOf(window) != search.caption) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

struct ChildSearch {
  std::wstring_view windowClass;
  std::vector<HWND> found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<ChildSearch*>(lParam);
  if (classOf(window) == search.windowClass) search.found.push_back(window);
  return TRUE;
}

}  // namespace

HWND RemoteProgram::waitForWindow(std::wstring_view windowClass, std::wstring_view caption) const {
  WindowSearch search{process_.dwProcessId, windowClass, caption};
  while (running()) {
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(20);
  }
  return nullptr;  // the program ended without showing it
}

std::wstring classOf(HWND window) {
  std::array<wchar_t, 128> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return std::wstring(name.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring textOf(HWND window) {
  std::array<wchar_t, 256> text{};
  const LRESULT length = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return std::wstring(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view windowClass) {
  ChildSearch search{windowClass, {}};
  EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace zenthra::release::test
