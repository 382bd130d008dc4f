#pragma once
// The control's designed sizes, in twips; the conversions are the shared
// ones of win32/units.h.

#include "win32/units.h"

namespace tessarel {

using win32::HimetricToTwips;
using win32::TwipsToHimetric;

// The control's design size: what a host gets that places a new instance
// without giving a size.
inline constexpr int kDesignWidthTwips = 1905;
inline constexpr int kDesignHeightTwips = 315;

// The label's designed size, replaced by the control's at the first resize.
inline constexpr int kLabelDesignWidthTwips = 1815;
inline constexpr int kLabelDesignHeightTwips = 255;

}  // namespace tessarel
