#pragma once
// One started instance of a program under measurement.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "win32/unique_handle.h"

namespace zenthra::bench {

class ChildProgram {
 public:
  // Starts the program with its own folder as the working folder (where
  // Zenthra finds tessarel.ocx). Empty when CreateProcess fails.
  static std::optional<ChildProgram> Start(const std::wstring& path);

  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_.get(); }  // borrowed from this object

  // Asks every shown window to close and waits for the process to end; when
  // it does not end in time, terminates it. Returns false when it had to be
  // terminated (or could not be). The destructor also ends a running one.
  bool Close(std::chrono::milliseconds timeout);

  ChildProgram(ChildProgram&&) = default;
  ChildProgram& operator=(ChildProgram&&) = default;
  ~ChildProgram();

 private:
  ChildProgram(win32::UniqueKernelHandle process, DWORD processId)
      : process_(std::move(process)), processId_(processId) {}
  bool Terminate(std::chrono::milliseconds timeout);

  win32::UniqueKernelHandle process_;
  DWORD processId_ = 0;
};

}  // namespace zenthra::bench
