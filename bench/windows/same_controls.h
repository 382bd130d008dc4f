#pragma once
// What the same-controls floors show in their main window: Zenthra's 43
// controls in their start states, places and font, from the main window's
// own layout table and control factory, with nothing behind them.

#include <windows.h>

#include "win32/unique_handle.h"

namespace zenthra::bench {

// A FillWindow of RunFloor.
HRESULT FillWithControls(HINSTANCE instance, HWND window, UINT dpi, win32::UniqueHfont& font);

// Registers the control classes that Zenthra registers before its window.
bool InitStandardControls();

}  // namespace zenthra::bench
