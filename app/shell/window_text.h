#pragma once
// A window's text: its caption, a control's text or an edit field's.

#include <windows.h>

#include <string>
#include <string_view>

namespace zenthra::shell {

// The whole text; empty when the window has none or cannot tell.
std::wstring WindowText(HWND window);

// Sets the text only when it differs from the one shown, and tells
// accessibility clients (a screen reader) of each real change. False when
// the window refused it.
bool ShowWindowText(HWND window, std::wstring_view text);

}  // namespace zenthra::shell
