#pragma once
// Helpers for driving the About dialog in its tests.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zenthra::ui {
class ProgramWindows;
}

namespace zenthra::about::testing {

// Watches, on a thread of its own, for message boxes captioned with the
// application title; reads each one's text and closes it with OK.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  ~MessageBoxCatcher();
  // Stops watching; the texts of the boxes seen, in order.
  std::vector<std::wstring> Stop();

 private:
  void Watch();
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::thread thread_;
};

// Runs the program's message loop (with its dialog keyboard handling) until
// every message posted before the call has been handled, or until the last
// program window is gone. Returns true if the loop ended because the last
// window went.
bool RunPostedMessages(ui::ProgramWindows& windows);

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();

// Waits for `path` to exist (the mark of a started program); false when it
// has not appeared after a generous while.
bool WaitForFile(const std::wstring& path);

std::optional<std::wstring> ReadMark(const std::wstring& markPath);

std::wstring WindowText(HWND window);

// The rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace zenthra::about::testing
