#pragma once
// An error in the system's own words, for messages that a user reads.

#include <windows.h>

#include <string>

namespace win32 {

// The system's text for `error` (an HRESULT, or a Win32 error code, which
// FormatMessage reads alike), without its line break; "error N." where the
// system has none.
std::wstring SystemErrorText(HRESULT error);

}  // namespace win32
