#pragma once
// Waits for tests, each with a limit of its own well under ctest's timeout,
// so that a wait that ends unfulfilled fails with a message naming what did
// not happen instead of stalling the run until ctest kills it.

#include <windows.h>

namespace zenthra::test {

// Long enough for Wine to start a process and show its window on a loaded
// machine; short enough that several waits of one case end within ctest's
// timeout.
inline constexpr DWORD kWaitLimitMs = 15'000;

// Asks done() every few milliseconds until it holds (true) or limitMs have
// passed (false). Between asks it handles this thread's window messages, so
// that the windows of the waiting thread stay responsive.
template <typename Done>
bool WaitUntil(Done done, DWORD limitMs = kWaitLimitMs) {
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace zenthra::test
