#pragma once
// Creates one child control of frmqel from its layout row.

#include <windows.h>

#include "ui/main_window_layout.h"

namespace zenthra::ui {

// Creates the control in its state at start (caption or level items and
// text, enabled or not, selected or not) at its place for `dpi`, drawing in
// `font` (borrowed); a level box's closed height is fitted to its place. A
// focusable control starts a new dialog group unless `joinsGroup`: the
// second option button joins the first so that the arrow keys move between
// them. On failure a control already made stays with `parent`, which owns
// it.
HRESULT CreateControl(HINSTANCE instance, HWND parent, const ControlSpec& entry, int id, UINT dpi, HFONT font,
                      bool joinsGroup, HWND& control);

}  // namespace zenthra::ui
