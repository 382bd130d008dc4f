#pragma once
// The floor programs' main window: Zenthra's client size and menu bar,
// centred on the monitor, with nothing behind them. Help > About opens an
// empty window of the About dialog's client size, the floor of opening the
// dialog; File > Exit closes the window.

#include <windows.h>

namespace zenthra::bench {

// Fills the new window with what the floor shows (nothing, or the controls),
// during WM_CREATE, once the window's DPI is known. False fails the creation.
using FillWindow = bool (*)(HINSTANCE instance, HWND window, UINT dpi);

// Creates and shows the window, then runs a plain message loop until it is
// gone. Returns the program's exit code.
int runFloor(HINSTANCE instance, int showCommand, FillWindow fill);

}  // namespace zenthra::bench
