#pragma once
// The font every control of the program and of the control library is
// designed in: its windows' texts, the About dialog's ambient font and the
// link label's own standard font all say it from here.

#include <windows.h>

namespace win32 {

inline constexpr wchar_t kDesignFontFace[] = L"MS Sans Serif";
inline constexpr int kDesignFontHundredthsOfPoint = 825;
// The same size as an OLE font's CY: ten-thousandths of a point.
inline constexpr LONGLONG kDesignFontCySize = LONGLONG{kDesignFontHundredthsOfPoint} * 100;

}  // namespace win32
