#pragma once
// The floor programs' main window: Zenthra's client size and menu bar,
// centred on the monitor, with nothing behind them. Help > About opens the
// floor's stand-in for the About dialog; File > Exit closes the window.

#include <windows.h>

#include "shell/program_windows.h"
#include "win32/unique_handle.h"

namespace zenthra::bench {

// Fills the new window with what the floor shows (nothing, or the controls),
// during WM_CREATE, once the window's DPI is known; a failure fails the
// creation. `font` receives the font the controls draw with, if any: the
// window keeps it as long as it exists.
using FillWindow = HRESULT (*)(HINSTANCE instance, HWND window, UINT dpi, win32::UniqueHfont& font);

// Help > About: opens the floor's stand-in for the About dialog, or brings
// an open one forward. A stand-in that adds itself to `windows` keeps the
// program running while it is open, as Zenthra's dialog does.
using OpenAbout = void (*)(HINSTANCE instance, shell::ProgramWindows& windows);

// The plainest stand-in: an empty window of the dialog's frame and client
// size, shown and brought forward as the dialog is. It goes with the process.
void OpenEmptyAboutWindow(HINSTANCE instance, shell::ProgramWindows& windows);

// Creates and shows the window, then runs the program's message loop until
// it is gone. Returns the program's exit code.
int RunFloor(HINSTANCE instance, int showCommand, FillWindow fill, OpenAbout openAbout);

}  // namespace zenthra::bench
