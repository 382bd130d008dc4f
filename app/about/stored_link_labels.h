#pragma once
// The three link labels as the dialog's layout stores them: the property
// entries each instance is restored from, under the names the layout uses.

#include <windows.h>

#include <array>

#include "win32/design_font.h"

namespace zenthra::about {

// A font as the layout keeps it, in the fields of the standard font
// object's persisted form.
struct StoredFont {
  const wchar_t* face;
  SHORT charset;
  BYTE attributes;  // 0x01 italic, 0x02 strikethrough, 0x04 underline
  SHORT weight;
  LONG size;  // ten-thousandths of a point
};

struct StoredLinkLabel {
  const wchar_t* name;
  LONG extentX;  // HIMETRIC
  LONG extentY;
  COLORREF foreColor;
  const wchar_t* text;
  const wchar_t* link;
  StoredFont font;
};

inline constexpr wchar_t kLinkLabelProgId[] = L"Tessarel.tessarelcontrol";

inline constexpr StoredFont kLinkFont{win32::kDesignFontFace, 0, 0x04, 400, win32::kDesignFontCySize};

// In tab order, like the rectangles of the layout table.
inline constexpr std::array<StoredLinkLabel, 3> kStoredLinkLabels{{
    {L"tessarelcontrol1", 1720, 450, 0x00FF0000, L"My Website", L"http:\\\\www.example.com/~orvane/", kLinkFont},
    {L"tessarelcontrol2", 1720, 450, 0x00FF0000, L"W3.org", L"http:\\\\www.w3.org", kLinkFont},
    {L"tessarelcontrol3", 1720, 450, 0x00FF0000, L"Contact Me", L"mailto:orvane@example.com", kLinkFont},
}};

}  // namespace zenthra::about
