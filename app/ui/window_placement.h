#pragma once
// Where the program's windows open: centred on a monitor's work area.

#include <windows.h>

namespace zenthra::ui {

// The frame of a window with the given styles whose client area is `client`
// pixels at `dpi`, centred on the work area of `monitor`. On a work area too
// small for it the frame keeps its top-left corner on it, so that the
// caption bar can still be reached.
bool centredFrame(HMONITOR monitor, SIZE client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi, RECT& frame);

}  // namespace zenthra::ui
