#pragma once
// All the controls of frmqel's layout: created in their order, and put at
// their places for a DPI.
//
// Every source file that reads the layout table at run time gets its own
// copy of the table's texts, which the linker can drop only from a file
// that holds no other text. So this file holds none, and the code that
// reads the table stays here and in the main window.

#include <windows.h>

#include <array>

#include "ui/main_window_layout.h"

namespace zenthra::ui {

// The controls by layout index. Borrowed: their parent owns them.
using Controls = std::array<HWND, kControlCount>;

// The order in which the controls are created: those that take the focus in
// ascending tab index (creation order is the Tab order), then the labels, so
// that a box lies above a label that reaches into it.
std::array<std::size_t, kControlCount> CreationOrder();

// Creates every control in its state at start at its place for `dpi`, in
// creation order, each with the id of its layout index. The two option
// buttons form one dialog group; every other focusable control starts a
// group of its own. On failure the controls made so far stay with `parent`.
HRESULT CreateControls(HINSTANCE instance, HWND parent, UINT dpi, Controls& controls);

// Puts every control at its place for `dpi`. Call after the font is set,
// since the font decides a level box's own height.
HRESULT PlaceControls(const Controls& controls, UINT dpi);

}  // namespace zenthra::ui
