#pragma once
// Drives real windows of this process the way a user would: keys posted to
// the focused control and dispatched through the dialog keyboard handling,
// the program's message loop run until it is idle, and message boxes found,
// read and dismissed from a second thread.

#include <windows.h>

#include <mutex>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "program_folder.h"
#include "shell/program_windows.h"

namespace zenthra::test {

// Dispatches every queued message, giving `dialog`'s children the dialog
// keyboard handling as the program's message loop does. Returns once the
// queue is empty; a handler that opens a message box returns only after the
// watcher has closed it.
void PumpUntilIdle(HWND dialog);

// Runs the program's message loop (with its dialog keyboard handling) until
// every message posted before the call has been handled, or until the last
// program window is gone. Returns true if the loop ended because the last
// window went.
bool RunPostedMessages(shell::ProgramWindows& windows);

// Focuses the combo, selects all of its text and types `keys` into its edit
// field, one WM_CHAR each; "\b" deletes.
void TypeInto(HWND dialog, HWND combo, std::wstring_view keys, bool replaceText = true);

// A key press (down and up) posted to the focused window.
void PressKey(HWND dialog, UINT virtualKey);

// The same handled by the program's message loop (each window's own look at
// the message, then the dialog keyboard handling), with the key `held`
// (VK_SHIFT, VK_CONTROL) held down. When another program's window has taken
// the focus meanwhile, the key goes to `unfocused`.
void PressKeyInProgram(shell::ProgramWindows& windows, UINT virtualKey, UINT held = 0, HWND unfocused = nullptr);

// The control that has the focus, as the window knows it: a combo box for
// its edit field.
HWND FocusedControl();

// A window's text, of this process or another: WM_GETTEXT is sent, where
// GetWindowText would not ask another process.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// Types `path` into the file name field of the file dialog titled `title`
// that a window of this process opens, and presses Enter there; with no
// path, presses Cancel.
std::jthread AnswerFileDialog(std::wstring title, std::wstring path = {});

// Closes every message box captioned `caption` that a window of this process
// opens, and records its text. A box is closed with the next of the answers
// given (IDYES, IDNO, IDCANCEL), or with OK when none is left.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(std::wstring caption);
  ~MessageBoxWatcher();

  void Answer(std::vector<int> buttons);

  // The texts of the boxes closed so far, and forgets them.
  std::vector<std::wstring> TakeMessages();

  // From now on notes, for each box, whether `window` was enabled while the
  // box was shown; takes and forgets those notes.
  void WatchEnabledState(HWND window);
  std::vector<bool> TakeEnabledStates();

 private:
  void Watch(std::stop_token stop);

  std::wstring caption_;
  std::mutex mutex_;
  std::vector<std::wstring> messages_;
  std::vector<int> answers_;  // in reverse: the next is last
  HWND watched_ = nullptr;    // borrowed
  std::vector<bool> enabledStates_;
  std::jthread thread_;
};

// Puts the real mouse back where it was when made: a test that moves it
// leaves nothing under it for the tests after it (a link's tooltip, say).
class RealMousePutBack {
 public:
  RealMousePutBack() { GetCursorPos(&at_); }
  RealMousePutBack(const RealMousePutBack&) = delete;
  RealMousePutBack& operator=(const RealMousePutBack&) = delete;
  ~RealMousePutBack() { SetCursorPos(at_.x, at_.y); }

 private:
  POINT at_{};
};

}  // namespace zenthra::test
