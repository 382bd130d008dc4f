#pragma once
// The Win32 side of a level box: a CBS_DROPDOWN combo box with the items
// "00" to "03". All handles here are borrowed from the main window.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zenthra::ui::level_box {

// Fills the list with the level items. Fails when the combo refused one.
HRESULT AddItems(HWND box);

// Shows `text` in the edit field and selects the list item of that text (no
// item when there is none), so that the combo's own refresh after a list pick
// keeps showing it. Sends no notification to the parent.
HRESULT ShowText(HWND box, std::wstring_view text);

// The text of the edit field.
std::wstring Text(HWND box);

// The list item that a CBN_SELCHANGE picked; at that moment the edit field
// still shows the old text.
std::optional<std::wstring> PickedItem(HWND box);

// Places the box at `rect` (client pixels): the closed box gets exactly the
// rectangle's height, the dropped list room for all items. Call after the
// font is set, since the font decides the combo's own height.
HRESULT Place(HWND box, const RECT& rect, UINT dpi);

}  // namespace zenthra::ui::level_box
