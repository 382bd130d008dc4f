#pragma once
// Helpers for the About dialog's tests that start programs: the marks that
// the stand-in program about_mark leaves, and what an accessibility tool in
// another process sees of a window.

#include <ocidl.h>
#include <windows.h>

#include <optional>
#include <string>

#include "win32/unique_handle.h"

namespace zenthra::about::testing {

// Waits for `path` to exist (the mark of a started program); false when it
// has not appeared after a generous while.
bool WaitForFile(const std::wstring& path);

std::optional<std::wstring> ReadMark(const std::wstring& markPath);

// Runs about_accessibility_probe (beside this program) on `window`, with
// `act` also doing the default action, and handles this thread's messages
// until it ends: its calls are answered here. Its report, "key=value" lines
// (found, role, state, name, value, action, location, acted); empty if it
// could not run.
std::wstring ProbeAccessibility(HWND window, bool act);

// Reads the property `name` of a hosted control through its IDispatch.
HRESULT GetProperty(IOleObject* object, const wchar_t* name, win32::UniqueVariant& value);

// The clipboard's Unicode text; empty when it holds none.
std::wstring ClipboardText();

// The text of the tooltip that this thread shows for `link`'s window; empty
// when none shows.
std::wstring ShownTooltipText(HWND link);

}  // namespace zenthra::about::testing
