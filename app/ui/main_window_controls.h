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
#include <optional>

#include "ui/main_window_layout.h"

namespace zenthra::ui {

// The controls by layout index. Borrowed: their parent owns them.
using Controls = std::array<HWND, kControlCount>;

// The order in which the controls are created, which is their z-order: those
// that take the focus in ascending tab index (creation order is the Tab
// order), each level box right after its caption label, then the other
// labels. Screen readers name a control by the static text just before it.
std::array<std::size_t, kControlCount> CreationOrder();

// The layout index of a level box's caption label; none for other controls.
std::optional<std::size_t> CaptionLabelOf(std::size_t boxIndex);

// Creates every control in its state at start at its place for `dpi`, in
// creation order, each with the id of its layout index. The two option
// buttons form one dialog group; every other focusable control starts a
// group of its own. Each level box tells screen readers its caption label's
// text as its name. Each control gets `font` (borrowed: it must outlive
// them) and its place as it is made, so that it lays itself out once, while
// the controls after it, which a dropped level box would cover, do not exist
// yet. On failure the
// controls made so far stay with `parent`.
HRESULT CreateControls(HINSTANCE instance, HWND parent, UINT dpi, HFONT font, Controls& controls);

// Puts every control at its place for `dpi`, after a change of DPI (each
// is created at its place). Call after the font is set, since the font
// decides a level box's own height. A caption label that
// reaches into its box draws only outside it, so the box shows above it.
HRESULT PlaceControls(const Controls& controls, UINT dpi);

}  // namespace zenthra::ui
