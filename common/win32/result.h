#pragma once
// The one way failures flow: each step that can fail returns its HRESULT at
// once, and the function reads top to bottom as the sequence of its steps.
// Every failure that leaves a function this way is written by the failure
// report (failure_report.h).
//
//   RETURN_IF_FAILED(site->GetWindow(&window));
//   RETURN_LAST_ERROR_IF(!SetWindowPos(...));
//   RETURN_HR_IF_NULL(E_OUTOFMEMORY, buffer);

#include <windows.h>

#include "win32/failure_report.h"

namespace win32 {

// For a series of steps that all run whatever each gives: keeps the first
// failure in first.
inline void KeepFirstFailure(HRESULT& first, HRESULT next) noexcept {
  if (SUCCEEDED(first)) first = next;
}

}  // namespace win32

#define RETURN_IF_FAILED(expression)                                                        \
  do {                                                                                      \
    const HRESULT returnIfFailedResult_ = (expression);                                     \
    if (FAILED(returnIfFailedResult_))                                                      \
      return ::win32::ReportFailure(returnIfFailedResult_, WIN32_FAILURE_SITE(#expression), \
                                    ::win32::FailureKind::Passed);                          \
  } while (false)

#define RETURN_HR_IF(result, condition)                                                                      \
  do {                                                                                                       \
    if (condition)                                                                                           \
      return ::win32::ReportFailure((result), WIN32_FAILURE_SITE(#condition), ::win32::FailureKind::Origin); \
  } while (false)

#define RETURN_HR_IF_NULL(result, pointer) RETURN_HR_IF(result, (pointer) == nullptr)

// For Win32 functions that report failure through GetLastError.
#define RETURN_LAST_ERROR_IF(condition)                                                         \
  do {                                                                                          \
    if (condition)                                                                              \
      return ::win32::ReportFailure(::win32::LastErrorResult(), WIN32_FAILURE_SITE(#condition), \
                                    ::win32::FailureKind::Origin);                              \
  } while (false)
