#pragma once
// The font every control of the program and of the control library is
// designed in: its windows' texts, the About dialog's ambient font and the
// link label's own standard font all say it from here, and so does the one
// rule for drawing it at sizes its bitmaps lack.

#include <windows.h>
#include <olectl.h>

#include "win32/unique_handle.h"

namespace win32 {

inline constexpr wchar_t kDesignFontFace[] = L"MS Sans Serif";
inline constexpr int kDesignFontHundredthsOfPoint = 825;
// The same size as an OLE font's CY: ten-thousandths of a point.
inline constexpr LONGLONG kDesignFontCySize = LONGLONG{kDesignFontHundredthsOfPoint} * 100;

// The design font as an OLE font's description: normal weight, the ANSI
// character set, underlined or not.
inline FONTDESC DesignFontDescription(bool underline = false) {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(kDesignFontFace);
  description.cySize.int64 = kDesignFontCySize;
  description.sWeight = FW_NORMAL;
  description.sCharset = ANSI_CHARSET;
  description.fUnderline = underline ? TRUE : FALSE;
  return description;
}

// MS Sans Serif is a bitmap face: a size it lacks comes out as the nearest
// it has, which at some DPIs is several pixels off either way. A font that
// names it and draws more than a pixel off its size draws instead in a
// scalable face at that size and the design face's average width: the
// design face's own scalable clone, which Windows ships, else Tahoma, which
// both Windows and Wine ship. Null where `asked` draws within a pixel of
// its size, names another face, has no size (0) or no scalable face is
// present: `asked` itself draws then.
UniqueHfont CreateScalableStandIn(const LOGFONTW& asked);

// The design font, normal weight, with characters `charHeight` pixels high
// (without internal leading): MS Sans Serif or, where that lacks the size,
// its scalable stand-in.
UniqueHfont CreateDesignFont(int charHeight);

}  // namespace win32
