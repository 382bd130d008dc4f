// Length units of the control. Hosts hand over sizes in HIMETRIC
// (hundredths of a millimetre); the label's layout is in twips (1/1440
// inch); windows are in pixels at the display's dots per inch.
#pragma once

#include <windows.h>

namespace tessarel {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

// The control's design size: what a host gets that places a new instance
// without giving a size.
inline constexpr int kDesignWidthTwips = 1905;
inline constexpr int kDesignHeightTwips = 315;

// The label's designed size, replaced by the control's at the first resize.
inline constexpr int kLabelDesignWidthTwips = 1815;
inline constexpr int kLabelDesignHeightTwips = 255;

inline int HimetricToTwips(long himetric) { return MulDiv(himetric, kTwipsPerInch, kHimetricPerInch); }
inline long TwipsToHimetric(int twips) { return MulDiv(twips, kHimetricPerInch, kTwipsPerInch); }
inline int TwipsToPixels(int twips, int dotsPerInch) { return MulDiv(twips, dotsPerInch, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dotsPerInch) { return MulDiv(pixels, kTwipsPerInch, dotsPerInch); }

}  // namespace tessarel
