#pragma once
// Looks at another process's windows from outside, as a user would see
// them: shown top-level windows, their child controls, and whether the
// thread behind a window answers messages. Every HWND here is borrowed from
// that process and may go at any moment; the calls then fail harmlessly.

#include <windows.h>

#include <chrono>
#include <string_view>

namespace zenthra::bench {

struct WindowWanted {
  DWORD processId = 0;
  HWND other = nullptr;          // a window that does not count (the main window when waiting for About)
  bool withMenuBar = false;      // the main windows carry the File and Help menus
  std::wstring_view childClass;  // when not empty: descendants of this window class needed...
  int childCount = 0;            // ...at least this many of them
};

// A shown top-level window of the process that matches, or nullptr.
HWND FindShownWindow(const WindowWanted& wanted);

// Polls FindShownWindow until a window matches, the process ends or the
// deadline passes (then nullptr). Polls every millisecond: that is the
// resolution of the measurements.
HWND WaitForShownWindow(const WindowWanted& wanted, HANDLE process, std::chrono::steady_clock::time_point deadline);

// True when the window's thread handled a WM_NULL within the timeout: its
// message loop runs.
bool MessageLoopAnswers(HWND window, std::chrono::milliseconds timeout);

// Posts WM_CLOSE to every shown top-level window of the process.
void CloseShownWindows(DWORD processId);

}  // namespace zenthra::bench
