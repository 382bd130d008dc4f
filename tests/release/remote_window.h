// Driving a program of another process through its windows: start it, find
// its windows by class and caption, read texts, list children by class.
// Waits are bounded by the ctest TIMEOUT of the test, not by clocks here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zenthra::release::test {

// A started program. Ends it (TerminateProcess) if it still runs when this
// object goes.
class RemoteProgram {
 public:
  // Starts `exe` with its own folder as the current directory. Check
  // started() afterwards; error() is GetLastError of a failed start.
  explicit RemoteProgram(const std::wstring& exe);
  RemoteProgram(const RemoteProgram&) = delete;
  RemoteProgram& operator=(const RemoteProgram&) = delete;
  ~RemoteProgram();

  bool started() const { return process_.hProcess != nullptr; }
  DWORD error() const { return error_; }
  DWORD id() const { return process_.dwProcessId; }
  bool running() const;
  // Waits for the program's end; its exit code.
  DWORD waitForExit();

  // The visible top-level window with this class and caption, once there.
  HWND waitForWindow(std::wstring_view windowClass, std::wstring_view caption) const;

 private:
  PROCESS_INFORMATION process_{};
  DWORD error_ = 0;
};

std::wstring classOf(HWND window);

// WM_GETTEXT sent explicitly: GetWindowText does not ask another process.
std::wstring textOf(HWND window);

// Every descendant of `parent` with the window class.
std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view windowClass);

}  // namespace zenthra::release::test
