#pragma once
// Driving a program of another process through its windows: start it, find
// its windows by class and caption, read texts, list children by class.
// Every wait has the limit of bounded_wait.h and fails the test with what did
// not happen.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"

namespace zenthra::test {

// A started program. Ends it (TerminateProcess) if it still runs when this
// object goes.
class RemoteProgram {
 public:
  // Starts `exe` with `arguments` and its own folder as the current
  // directory. Check Started() afterwards; Error() is GetLastError of a
  // failed start.
  explicit RemoteProgram(const std::wstring& exe, const std::wstring& arguments = {});
  RemoteProgram(const RemoteProgram&) = delete;
  RemoteProgram& operator=(const RemoteProgram&) = delete;
  ~RemoteProgram();

  bool Started() const { return static_cast<bool>(process_); }
  DWORD Error() const { return error_; }
  bool Running() const;
  // Waits for the program's end; its exit code, or STILL_ACTIVE (and a
  // failure) when it runs on past the wait limit.
  DWORD WaitForExit();

  // The visible top-level window with this class and caption, once there;
  // nullptr (and a failure) when it does not show within the wait limit.
  HWND WaitForWindow(std::wstring_view windowClass, std::wstring_view caption) const;

 private:
  win32::UniqueKernelHandle process_;
  DWORD processId_ = 0;
  DWORD error_ = 0;
};

// Makes `window` the foreground window, active with the keyboard focus on
// one of its controls, so that keys typed now reach it; false if it does not
// become so within a few seconds.
bool BringToFront(HWND window);

// Presses the keys together through the system's keyboard input (SendInput),
// as a user would: each down in the order given, then each up in reverse.
void PressChord(std::initializer_list<WORD> virtualKeys);

// What a screen reader hears of `window`, read through its accessibility
// object (AccessibleObjectFromWindow, OBJID_CLIENT) as another program
// would. Needs COM on the calling thread.
struct Announcement {
  HRESULT found = E_FAIL;
  std::wstring name;
  std::wstring value;
};
Announcement Announced(HWND window);

// Every descendant of `parent` with the window class.
std::vector<HWND> ChildrenOfClass(HWND parent, std::wstring_view windowClass);

}  // namespace zenthra::test
