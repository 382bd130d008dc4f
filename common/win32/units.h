#pragma once
// Length units: layouts are in twips (1/1440 inch), hosts of controls hand
// sizes over in HIMETRIC (hundredths of a millimetre, 2540 to the inch),
// windows are in pixels at a DPI. The one set of conversions for the
// program and the control library.

#include <windows.h>

namespace win32 {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kHimetricPerInch = 2540;

inline int HimetricToTwips(LONG himetric) { return MulDiv(himetric, kTwipsPerInch, kHimetricPerInch); }
inline LONG TwipsToHimetric(int twips) { return MulDiv(twips, kHimetricPerInch, kTwipsPerInch); }
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

}  // namespace win32
