#pragma once
// The one way failures flow: each step that can fail returns its HRESULT at
// once, and the function reads top to bottom as the sequence of its steps.
//
//   RETURN_IF_FAILED(site->GetWindow(&window));
//   RETURN_LAST_ERROR_IF(!SetWindowPos(...));
//   RETURN_HR_IF_NULL(E_OUTOFMEMORY, buffer);

#include <windows.h>

namespace win32 {

// The calling thread's last Win32 error as an HRESULT; E_FAIL where a
// function failed without setting one, so that a failure never reads as
// success.
inline HRESULT LastErrorResult() noexcept {
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace win32

#define RETURN_IF_FAILED(expression)                    \
  do {                                                  \
    const HRESULT returnIfFailedResult_ = (expression); \
    if (FAILED(returnIfFailedResult_)) {                \
      return returnIfFailedResult_;                     \
    }                                                   \
  } while (false)

#define RETURN_HR_IF(result, condition) \
  do {                                  \
    if (condition) {                    \
      return (result);                  \
    }                                   \
  } while (false)

#define RETURN_HR_IF_NULL(result, pointer) RETURN_HR_IF(result, (pointer) == nullptr)

namespace win32 {

// For a series of steps that all run whatever each gives: keeps the first
// failure in first.
inline void KeepFirstFailure(HRESULT& first, HRESULT next) noexcept {
  if (SUCCEEDED(first)) first = next;
}

}  // namespace win32

// For Win32 functions that report failure through GetLastError.
#define RETURN_LAST_ERROR_IF(condition)  \
  do {                                   \
    if (condition) {                     \
      return ::win32::LastErrorResult(); \
    }                                    \
  } while (false)
