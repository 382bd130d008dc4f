#pragma once
// The one place where failures are told. Every failure that the code hands
// back through the result-flow macros (result.h), or ignores on purpose
// through LOG_IF_FAILED, is written once with its module, file, line and
// expression through OutputDebugStringW: a debugger or DebugView shows it on
// Windows, WINEDEBUG=+debugstr under Wine (Wine 8: WINEDEBUG=warn+seh). Nothing is written on success,
// and a failure written costs little when nobody listens.

#include <windows.h>

namespace win32 {

// The calling thread's last Win32 error as an HRESULT; E_FAIL where a
// function failed without setting one, so that a failure never reads as
// success.
inline HRESULT LastErrorResult() noexcept {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Where a failure happened: the source file (relative to the source tree),
// the line and the expression that failed, as the macros give them.
struct FailureSite {
  const char* file;
  int line;
  const char* expression;
};

// Origin: a failure found here; it is written.
// Passed: a failure that a called function returned, which is written unless
// it is the one this thread wrote last (the same failure on its way up).
enum class FailureKind { Origin, Passed };

// Writes the failure (see above) and returns `result`.
HRESULT ReportFailure(HRESULT result, const FailureSite& site, FailureKind kind) noexcept;

// For a failure ignored on purpose: writes it if `result` failed; returns
// `result`.
inline HRESULT LogIfFailed(HRESULT result, const FailureSite& site) noexcept {
  return FAILED(result) ? ReportFailure(result, site, FailureKind::Origin) : result;
}

// A test seam: `observer` sees every failure as it is written, on the thread
// that writes it; nullptr stops it.
using FailureObserver = void (*)(HRESULT result, const FailureSite& site);
void SetFailureObserverForTests(FailureObserver observer) noexcept;

}  // namespace win32

#define WIN32_FAILURE_SITE(expression) (::win32::FailureSite{__FILE__, __LINE__, expression})

// Ignores a failed HRESULT on purpose, after writing it; the code says why it
// goes on.
#define LOG_IF_FAILED(expression) ::win32::LogIfFailed((expression), WIN32_FAILURE_SITE(#expression))

// The same for a Win32 function that reports failure through GetLastError;
// gives whether it failed.
#define LOG_LAST_ERROR_IF(condition)                                                                 \
  ((condition) ? (::win32::ReportFailure(::win32::LastErrorResult(), WIN32_FAILURE_SITE(#condition), \
                                         ::win32::FailureKind::Origin),                              \
                  true)                                                                              \
               : false)
