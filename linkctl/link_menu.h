#pragma once
// The link's context menu, and the clipboard that its "Copy Link Address"
// fills.

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

enum class LinkMenuChoice { kNone, kOpenLink, kCopyLinkAddress };

// Shows "Open Link" and "Copy Link Address" at point (screen) for owner,
// and returns what the user chose once the menu is closed.
LinkMenuChoice ShowLinkMenu(HWND owner, POINT point);

// Puts text (borrowed; null is the empty text) on the clipboard as
// Unicode text, with owner as the clipboard's owner.
HRESULT CopyTextToClipboard(HWND owner, BSTR text);

}  // namespace tessarel
