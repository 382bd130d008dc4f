#pragma once
// The per-DPI GDI resources that both windows of the program use.

#include <windows.h>

#include "win32/design_font.h"
#include "win32/unique_handle.h"

namespace zenthra::shell {

// Every control of the program's windows draws in the design font, apart
// from the hosted link labels, which draw their own.
using win32::kDesignFontFace;
using win32::kDesignFontHundredthsOfPoint;

// The layout font for the given DPI: the design font at 8.25 point, in MS
// Sans Serif or, where its bitmaps lack the size, its scalable stand-in.
win32::UniqueHfont CreateLayoutFont(UINT dpi);

// The application icon, large and small, on a window at the sizes of the
// system metrics SM_CXICON and SM_CXSMICON for a DPI.
class WindowIcons {
 public:
  // Gives `window` the icons for `dpi`. The window does not own icons given
  // by WM_SETICON: the old ones are released only once the new ones are in
  // place. Fails (keeping the old ones) when the module has no such icon.
  HRESULT Set(HINSTANCE instance, HWND window, UINT dpi);

 private:
  win32::UniqueHicon big_;
  win32::UniqueHicon small_;
};

}  // namespace zenthra::shell
