#pragma once
// The floor programs' main window: Zenthra's client size and menu bar,
// centred on the monitor, with nothing behind them. Help > About opens an
// empty window of the About dialog's client size, the floor of opening the
// dialog; File > Exit closes the window.

#include <windows.h>

#include "win32/unique_handle.h"

namespace zenthra::bench {

// Fills the new window with what the floor shows (nothing, or the controls),
// during WM_CREATE, once the window's DPI is known; a failure fails the
// creation. `font` receives the font the controls draw with, if any: the
// window keeps it as long as it exists.
using FillWindow = HRESULT (*)(HINSTANCE instance, HWND window, UINT dpi, win32::UniqueHfont& font);

// Creates and shows the window, then runs the program's message loop until
// it is gone. Returns the program's exit code.
int RunFloor(HINSTANCE instance, int showCommand, FillWindow fill);

}  // namespace zenthra::bench
