#include "layout_expectations.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "win32/unique_handle.h"

namespace zenthra::test {

int Scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

RECT ChildRect(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectAt(HWND control, const shell::TwipsRect& twips, UINT dpi) {
  const int left = Scaled(twips.left, dpi), top = Scaled(twips.top, dpi);
  EXPECT_EQ(ChildRect(control), (RECT{left, top, left + Scaled(twips.width, dpi), top + Scaled(twips.height, dpi)}));
}

namespace {

struct Drawn {
  std::wstring face;
  TEXTMETRICW metrics{};
};

// The face and metrics that `font` really gets in `control`.
Drawn DrawnIn(HWND control, HFONT font) {
  Drawn drawn;
  HDC dc = GetDC(control);
  if (dc == nullptr) return drawn;
  const HGDIOBJ previous = SelectObject(dc, font);
  std::array<wchar_t, LF_FACESIZE> face{};
  if (GetTextMetricsW(dc, &drawn.metrics) && GetTextFaceW(dc, LF_FACESIZE, face.data())) drawn.face = face.data();
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return drawn;
}

int CharHeight(const TEXTMETRICW& metrics) { return metrics.tmHeight - metrics.tmInternalLeading; }

void ExpectLayoutFace(HWND control, HFONT font, UINT dpi) {
  const int asked = MulDiv(825, static_cast<int>(dpi), 7200);
  const win32::UniqueHfont bitmapFace(CreateFontW(-asked, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                  DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
  const Drawn drawn = DrawnIn(control, font);
  if (std::abs(CharHeight(DrawnIn(control, bitmapFace.get()).metrics) - asked) <= 1)
    EXPECT_EQ(drawn.face, L"MS Sans Serif");
  else
    EXPECT_EQ(CharHeight(drawn.metrics), asked) << drawn.face << " stands in for MS Sans Serif";
}

}  // namespace

int CharHeight(HWND control, HFONT font) {
  const Drawn drawn = DrawnIn(control, font);
  return drawn.face.empty() ? -1 : CharHeight(drawn.metrics);
}

int LineHeight(HWND control, HFONT font) {
  const Drawn drawn = DrawnIn(control, font);
  return drawn.face.empty() ? -1 : drawn.metrics.tmHeight;
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

void ExpectPlaced(HWND control, const shell::TwipsRect& twips, UINT dpi) {
  ExpectAt(control, twips, dpi);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  ExpectLayoutFont(control, font, dpi);
  ExpectLayoutFace(control, font, dpi);
}

void ExpectClientArea(HWND window, int width, int height, UINT dpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, Scaled(width, dpi));
  EXPECT_EQ(client.bottom, Scaled(height, dpi));
}

void SendDpiChanged(HWND window, int width, int height, UINT dpi) {
  RECT frame{0, 0, Scaled(width, dpi), Scaled(height, dpi)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  // A DPI without a frame (0) suggests the bare client area.
  AdjustWindowRectExForDpi(&frame, style, GetMenu(window) != nullptr, exStyle, dpi);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

}  // namespace zenthra::test
