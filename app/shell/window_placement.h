#pragma once
// Where the program's windows open: centred on a monitor's work area.

#include <windows.h>

#include "shell/dpi.h"

namespace zenthra::shell {

// The frame styles of a window, for sizing its frame around a client area.
struct FrameStyle {
  DWORD style;
  DWORD exStyle;
  bool hasMenu;
};

// The frame of a window with the given styles whose client area is `client`
// pixels at `dpi`, centred on the work area of `monitor`. On a work area too
// small for it the frame keeps its top-left corner on it, so that the
// caption bar can still be reached.
HRESULT CentredFrame(HMONITOR monitor, SIZE client, const FrameStyle& frameStyle, UINT dpi, RECT& frame);

// Moves and sizes `window` to that frame on the monitor the window is on.
HRESULT CentreWindow(HWND window, SIZE client, const FrameStyle& frameStyle, UINT dpi);

// After a change of DPI: the frame that Windows suggests for the new DPI,
// or, without a suggestion fit for it, centred again as at the start.
HRESULT FollowDpiChange(HWND window, const dpi::DpiChange& change, SIZE client, const FrameStyle& frameStyle);

}  // namespace zenthra::shell
