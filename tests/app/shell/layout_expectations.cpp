#include "layout_expectations.h"

#include <gtest/gtest.h>

namespace zenthra::test {

int Scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectAt(HWND control, const shell::TwipsRect& twips, UINT dpi) {
  const RECT rect = ChildRect(control);
  EXPECT_EQ(rect.left, Scaled(twips.left, dpi));
  EXPECT_EQ(rect.top, Scaled(twips.top, dpi));
  EXPECT_EQ(rect.right - rect.left, Scaled(twips.width, dpi));
  EXPECT_EQ(rect.bottom - rect.top, Scaled(twips.height, dpi));
}

int LineHeight(HWND control, HFONT font) {
  HDC dc = GetDC(control);
  if (dc == nullptr) return -1;
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return measured ? metrics.tmHeight : -1;
}

void ExpectLayoutFont(HWND control, HFONT font, UINT dpi, int tolerance) {
  LOGFONTW description{};
  ASSERT_NE(GetObjectW(font, sizeof(description), &description), 0);
  EXPECT_NEAR(description.lfHeight, -MulDiv(825, static_cast<int>(dpi), 7200), tolerance);
  const RECT rect = ChildRect(control);
  const int line = LineHeight(control, font);
  EXPECT_GT(line, 0);
  EXPECT_LE(line, rect.bottom - rect.top) << "a line of text is cut off";
}

}  // namespace zenthra::test
