#include "window_probe.h"

#include <array>
#include <thread>
#include <vector>

namespace zenthra::bench {

namespace {

bool HasClass(HWND window, std::wstring_view className) {
  std::array<wchar_t, 256> name{};
  const int length = GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return length > 0 && std::wstring_view(name.data(), static_cast<std::size_t>(length)) == className;
}

struct ChildCount {
  std::wstring_view className;
  int count = 0;
};

BOOL CALLBACK CountChild(HWND child, LPARAM state) {
  auto& counted = *reinterpret_cast<ChildCount*>(state);
  if (HasClass(child, counted.className)) ++counted.count;
  return TRUE;
}

int CountDescendants(HWND window, std::wstring_view className) {
  ChildCount counted{className};
  // EnumChildWindows reports no error of its own: no children gives zero.
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&counted));
  return counted.count;
}

std::vector<HWND> ShownTopLevelWindows(DWORD processId) {
  struct Collect {
    DWORD processId;
    std::vector<HWND> windows;
  } collect{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM state) -> BOOL {
        auto& c = *reinterpret_cast<Collect*>(state);
        DWORD owner = 0;
        if (GetWindowThreadProcessId(window, &owner) != 0 && owner == c.processId && IsWindowVisible(window))
          c.windows.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.windows;
}

bool Matches(HWND window, const WindowWanted& wanted) {
  if (window == wanted.other) return false;
  if (wanted.withMenuBar && GetMenu(window) == nullptr) return false;
  return wanted.childClass.empty() || CountDescendants(window, wanted.childClass) >= wanted.childCount;
}

}  // namespace

HWND FindShownWindow(const WindowWanted& wanted) {
  for (HWND window : ShownTopLevelWindows(wanted.processId))
    if (Matches(window, wanted)) return window;
  return nullptr;
}

HWND WaitForShownWindow(const WindowWanted& wanted, HANDLE process, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    if (HWND window = FindShownWindow(wanted)) return window;
    if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) return nullptr;  // ended, or the handle is unusable
    if (std::chrono::steady_clock::now() > deadline) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

bool MessageLoopAnswers(HWND window, std::chrono::milliseconds timeout) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result) != 0;
}

void CloseShownWindows(DWORD processId) {
  // A window that is already gone refuses the post: nothing left to close.
  for (HWND window : ShownTopLevelWindows(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace zenthra::bench
