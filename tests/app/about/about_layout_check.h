#pragma once
// What an open frmAbout at a given DPI must look like, for the tests at
// every DPI.

#include <windows.h>

namespace zenthra::about::testing {

// Expects the client area at the layout's size in twips for `dpi`.
void ExpectAboutClientAreaAt(HWND dialog, UINT dpi);

// Expects every control at MulDiv(twips, dpi, 1440):
// the buttons and labels in MS Sans Serif 8.25 point for `dpi` and tall
// enough for a line of it; each hosted link label at its place with the
// size of its stored extent and its font drawn for `dpi`, or its plain
// stand-in label at the layout's rectangle. A font object rounds half a
// pixel its own way: the hosted font's height is checked to the pixel.
void ExpectAboutLayoutAt(HWND dialog, UINT dpi);

// Sends WM_DPICHANGED as Windows does when the dialog moves to a screen of
// `dpi`: with the frame around the layout's client area at that DPI.
void SendDpiChanged(HWND dialog, UINT dpi);

}  // namespace zenthra::about::testing
