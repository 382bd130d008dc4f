#include "remote_program.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <functional>

#include <gtest/gtest.h>

#include "bounded_wait.h"
#include "window_driver.h"

namespace zenthra::test {

RemoteProgram::RemoteProgram(const std::wstring& exe, const std::wstring& arguments) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &started)) {
    error_ = GetLastError();
    return;
  }
  process_.reset(started.hProcess);
  const win32::UniqueKernelHandle thread(started.hThread);  // not needed
  processId_ = started.dwProcessId;
}

RemoteProgram::~RemoteProgram() {
  if (!Running()) return;
  TerminateProcess(process_.get(), 1);
  if (WaitForSingleObject(process_.get(), kWaitLimitMs) != WAIT_OBJECT_0)
    ADD_FAILURE() << "a program ended by TerminateProcess was still running";
}

bool RemoteProgram::Running() const { return Started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

DWORD RemoteProgram::WaitForExit() {
  if (WaitForSingleObject(process_.get(), kWaitLimitMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the program did not end within the wait limit";
    return STILL_ACTIVE;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

namespace {

// The windows that `keep` picks: the children of `parent` at any depth, or
// the top-level windows when `parent` is nullptr.
std::vector<HWND> WindowsWhere(HWND parent, const std::function<bool(HWND)>& keep) {
  struct Search {
    const std::function<bool(HWND)>& keep;
    std::vector<HWND> found;
  } search{keep, {}};
  const WNDENUMPROC visit = [](HWND window, LPARAM lParam) -> BOOL {
    auto& state = *reinterpret_cast<Search*>(lParam);
    if (state.keep(window)) state.found.push_back(window);
    return TRUE;
  };
  if (parent == nullptr)
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
  else
    EnumChildWindows(parent, visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HWND RemoteProgram::WaitForWindow(std::wstring_view windowClass, std::wstring_view caption) const {
  std::vector<HWND> found;
  WaitUntil([&] {
    found = WindowsWhere(nullptr, [&](HWND window) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      return owner == processId_ && IsWindowVisible(window) && ClassOf(window) == windowClass &&
             TextOf(window) == caption;
    });
    return !found.empty() || !Running();
  });
  if (found.empty())
    ADD_FAILURE() << "no window of class \"" << std::wstring(windowClass) << "\" captioned \"" << std::wstring(caption)
                  << "\" showed" << (Running() ? " within the wait limit" : ": the program ended");
  return found.empty() ? nullptr : found.front();
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return WaitUntil(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) && info.hwndActive == window &&
               info.hwndFocus != nullptr && IsChild(window, info.hwndFocus);
      },
      5000);
}

void PressChord(std::initializer_list<WORD> virtualKeys) {
  std::vector<INPUT> inputs;
  const auto stroke = [&inputs](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : virtualKeys) stroke(key, 0);
  for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) stroke(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

Announcement Announced(HWND window) {
  Announcement heard;
  Microsoft::WRL::ComPtr<IAccessible> accessible;
  heard.found = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(accessible.GetAddressOf()));
  if (FAILED(heard.found)) return heard;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  win32::UniqueBstr name;
  win32::UniqueBstr value;
  if (SUCCEEDED(accessible->get_accName(self, name.put())) && name) heard.name = name.get();
  if (SUCCEEDED(accessible->get_accValue(self, value.put())) && value) heard.value = value.get();
  return heard;
}

std::vector<HWND> ChildrenOfClass(HWND parent, std::wstring_view windowClass) {
  return WindowsWhere(parent, [windowClass](HWND window) { return ClassOf(window) == windowClass; });
}

}  // namespace zenthra::test
