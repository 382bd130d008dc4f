#pragma once
// Helpers for the About dialog's tests that start programs: the marks that
// the stand-in program about_mark leaves.

#include <windows.h>

#include <optional>
#include <string>

namespace zenthra::about::testing {

// Waits for `path` to exist (the mark of a started program); false when it
// has not appeared after a generous while.
bool WaitForFile(const std::wstring& path);

std::optional<std::wstring> ReadMark(const std::wstring& markPath);

}  // namespace zenthra::about::testing
