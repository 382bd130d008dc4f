#pragma once
// Whether each caption fits its control, measured in the font the control
// really draws with, the way the control lays it out: one line of a label
// from its left edge, a wrapping label's lines within its width, a push
// button's text between its 3-D edges, an option button's text right of its
// check circle.

#include <windows.h>

#include <climits>
#include <string>

namespace zenthra::test {

// The narrowest room to spare seen so far, in pixels: across one line, and
// below the last line of a wrapping label.
struct CaptionMargins {
  int oneLine = INT_MAX;
  std::wstring oneLineCaption;
  int wrapped = INT_MAX;
  std::wstring wrappedCaption;
};

// Expects every one of `window`'s children to draw in the font it answers to
// WM_GETFONT at 8.25 point for `dpi`, the DPI the window was last laid out
// for: character height within a pixel, whichever face draws it. With
// `margins`, expects too the caption of every label and button to fit in
// that font, and notes the narrowest room to spare there. A line whose
// advance passes its room by the blank spacing after its last glyph still
// shows whole: then its inked width must fit.
void ExpectChildFontsAtDesignSize(HWND window, UINT dpi, CaptionMargins* margins = nullptr);

}  // namespace zenthra::test
