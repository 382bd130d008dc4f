#pragma once
// What both windows must show at any DPI: each control at its twips scaled
// by the DPI, drawing in a font made for that DPI that fits the control.

#include <windows.h>

#include <ostream>

#include "shell/twips.h"

// Rectangles compare by their edges and print as {left,top widthxheight}.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top << "}";
}

namespace zenthra::test {

// Twips to pixels as the tests work it out, apart from the program's own
// conversion: 1440 twips to the inch.
int Scaled(int twips, UINT dpi);

// The rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child);

// Expects `control` at `twips` scaled to `dpi`.
void ExpectAt(HWND control, const shell::TwipsRect& twips, UINT dpi);

// Expects the same, with the control drawing in its own font (WM_GETFONT)
// as ExpectLayoutFont wants it, in the face the windows' own layout font
// takes at `dpi`: MS Sans Serif wherever that bitmap face has the size
// within a pixel, elsewhere a scalable face at the size.
void ExpectPlaced(HWND control, const shell::TwipsRect& twips, UINT dpi);

// Expects `window`'s client area at `width` by `height` twips scaled to `dpi`.
void ExpectClientArea(HWND window, int width, int height, UINT dpi);

// Sends WM_DPICHANGED as Windows does when `window` moves to a screen of
// `dpi`: with its frame around a client area of `width` by `height` twips
// at that DPI.
void SendDpiChanged(HWND window, int width, int height, UINT dpi);

// The height of a line of `font` as `control` draws it; -1 when it cannot
// be measured.
int LineHeight(HWND control, HFONT font);

// The character height (cell less internal leading) of `font` as `control`
// draws it; -1 when it cannot be measured.
int CharHeight(HWND control, HFONT font);

// Expects `font` at 8.25 point for `dpi` (its character height within
// `tolerance` pixels of that), with a line of it fitting in `control`.
void ExpectLayoutFont(HWND control, HFONT font, UINT dpi, int tolerance = 0);

}  // namespace zenthra::test
