// What the program does when a system library that it loads on first use
// (see the delay-load libraries of its build) cannot be loaded, or lacks a
// function: it tells the user which library and why, in the system's words,
// and ends, instead of failing with an unhandled exception where the call
// stood. Linked into the program only: the delay-load helper looks for this
// hook by name.

#include <windows.h>

#include <delayimp.h>

#include <string>

#include "shell/app_identity.h"
#include "win32/system_error_text.h"

namespace {

std::wstring Widened(const char* ascii) {
  std::wstring wide;
  for (const char* c = ascii; c != nullptr && *c != '\0'; ++c)
    wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  return wide;
}

FARPROC WINAPI OnDelayLoadFailure(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliFailLoadLib && notification != dliFailGetProc) return nullptr;
  const std::wstring program(zenthra::shell::kAppTitle);
  std::wstring message = program + L" cannot go on: Windows could not load " + Widened(info->szDll);
  if (notification == dliFailGetProc && info->dlp.fImportByName)
    message += L" (its function " + Widened(info->dlp.szProcName) + L")";
  message += L", which this command needs.\n\n" + win32::SystemErrorText(HRESULT_FROM_WIN32(info->dwLastError)) +
             L"\n\n" + program + L" will now close.";
  MessageBoxW(nullptr, message.c_str(), zenthra::shell::kAppTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(info->dwLastError != ERROR_SUCCESS ? info->dwLastError : ERROR_MOD_NOT_FOUND);
}

}  // namespace

// The helper reads this C variable; defining it here replaces the runtime's
// empty one.
extern "C" {
PfnDliHook __pfnDliFailureHook2 = OnDelayLoadFailure;
}
