#include "child_program.h"

#include <vector>

#include "window_probe.h"

namespace zenthra::bench {

namespace {

DWORD WaitMs(std::chrono::milliseconds timeout) { return static_cast<DWORD>(timeout.count()); }

}  // namespace

std::optional<ChildProgram> ChildProgram::Start(const std::wstring& path) {
  const std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
  // CreateProcessW may write into its command line.
  std::wstring commandLine = L"\"" + path + L"\"";
  std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
  writable.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &info))
    return std::nullopt;
  win32::UniqueKernelHandle thread(info.hThread);  // not needed: closed at once
  return ChildProgram(win32::UniqueKernelHandle(info.hProcess), info.dwProcessId);
}

bool ChildProgram::Close(std::chrono::milliseconds timeout) {
  if (!process_) return true;
  CloseShownWindows(processId_);
  if (WaitForSingleObject(process_.get(), WaitMs(timeout)) == WAIT_OBJECT_0) {
    process_.reset();
    return true;
  }
  Terminate(timeout);
  return false;
}

bool ChildProgram::Terminate(std::chrono::milliseconds timeout) {
  const bool ended =
      TerminateProcess(process_.get(), 1) && WaitForSingleObject(process_.get(), WaitMs(timeout)) == WAIT_OBJECT_0;
  process_.reset();
  return ended;
}

ChildProgram::~ChildProgram() {
  if (process_) Terminate(std::chrono::seconds(5));
}

}  // namespace zenthra::bench
