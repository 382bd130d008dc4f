#pragma once
// The font every control of the program and of the control library is
// designed in: its windows' texts, the About dialog's ambient font and the
// link label's own standard font all say it from here.

#include <windows.h>
#include <olectl.h>

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

}  // namespace win32
