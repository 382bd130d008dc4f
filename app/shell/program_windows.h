#pragma once
// The program's top-level windows. The program runs while at least one of
// them exists and ends when the last is destroyed; the message loop gives
// each of them its dialog keyboard handling (Tab, Enter, Esc, access keys),
// after the window's own look at the message if it asks for one.

#include <windows.h>

#include <string_view>
#include <vector>

namespace zenthra::shell {

// What a window implements to see the messages of its children before the
// dialog keyboard handling does (to hand keys to a hosted control first).
class MessagePreTranslator {
 public:
  // True when it has handled `message`, which then goes no further.
  virtual bool PreTranslateMessage(MSG& message) = 0;

 protected:
  ~MessagePreTranslator() = default;
};

class ProgramWindows {
 public:
  // Called by each top-level window when it is created and when it is gone
  // (WM_NCDESTROY). Removing the last one posts WM_QUIT. `preTranslator`
  // (borrowed, the window's own, or nullptr) must stay until Remove.
  void Add(HWND window, MessagePreTranslator* preTranslator = nullptr);
  void Remove(HWND window);

  // The open window of the given window class, if any (each window of the
  // program exists at most once). Borrowed: valid until the window is gone.
  HWND Find(std::wstring_view windowClass) const;

  // Shows `text` in a message box with OK only and no icon, captioned with
  // the application title, owned by `owner` (borrowed). Application-modal:
  // every window of the program is disabled until the user presses OK, so
  // that no user edit is handled meanwhile.
  void ShowMessage(HWND owner, std::wstring_view text);

  // Asks `text` in a message box with `buttons` (MB_YESNO, MB_YESNOCANCEL,
  // with a default button flag if wanted), modal like ShowMessage; the
  // button pressed (IDYES, IDNO, IDCANCEL), or 0 when the box could not open.
  int Ask(HWND owner, std::wstring_view text, UINT buttons);

  // Runs the message loop until the last window is gone; returns the exit
  // code of WM_QUIT.
  int RunMessageLoop();

 private:
  bool HandledAsDialogMessage(MSG& message) const;

  struct Entry {
    HWND window;                          // borrowed; each removes itself when destroyed
    MessagePreTranslator* preTranslator;  // borrowed, or nullptr
  };
  std::vector<Entry> windows_;
};

}  // namespace zenthra::shell
