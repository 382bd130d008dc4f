#pragma once
// What screen readers hear for the main window's level boxes and force info
// line. Windows names a control by the static text just before it in
// z-order, but not every system does (Wine names a combo box by its text):
// these controls hand out an accessibility object of their own through
// WM_GETOBJECT, whose name is their caption and whose value is their text.
// All handles here are borrowed from the main window.

#include <windows.h>

namespace zenthra::ui::control_accessible {

// The name screen readers give txtforce.
inline constexpr wchar_t kForceInfoLineName[] = L"Force info line";

// From now on `control` answers with the text of `label` as its name and its
// own text as its value. A level box's edit field answers alike, since it is
// where the keyboard focus is.
HRESULT NameByLabel(HWND control, HWND label);

// From now on `control` answers with `name` (static storage) as its name and
// its own text as its value.
HRESULT NameAs(HWND control, const wchar_t* name);

}  // namespace zenthra::ui::control_accessible
