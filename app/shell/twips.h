#pragma once
// Layout units: the windows' stored layouts give places and sizes in twips
// (1440 to the inch) from the top-left corner of the client area. This is
// the one conversion to pixels at a DPI.

#include <windows.h>

#include "win32/units.h"

namespace zenthra::shell {

using win32::kTwipsPerInch;

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

inline int ToPixels(int twips, UINT dpi) { return win32::TwipsToPixels(twips, dpi); }

// The rectangle in client pixels at `dpi`: the right and bottom edges are
// the converted left and top plus the converted size.
inline RECT ToPixels(const TwipsRect& rect, UINT dpi) {
  const int left = ToPixels(rect.left, dpi);
  const int top = ToPixels(rect.top, dpi);
  return {left, top, left + ToPixels(rect.width, dpi), top + ToPixels(rect.height, dpi)};
}

}  // namespace zenthra::shell
