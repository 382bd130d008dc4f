#include "layout_check.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/main_window_layout.h"

namespace zenthra::ui::test {
namespace {

int scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

RECT clientRectOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The height of a line in the font the control draws with.
int lineHeight(HWND control) {
  HDC dc = GetDC(control);
  if (dc == nullptr) return -1;
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return measured ? metrics.tmHeight : -1;
}

}  // namespace

void expectClientAreaAt(const MainWindow& window, UINT dpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window.hwnd(), &client));
  EXPECT_EQ(client.right, scaled(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, scaled(kClientHeightTwips, dpi));
}

void expectLayoutAt(const MainWindow& window, UINT dpi) {
  for (const ControlSpec& entry : kMainWindowLayout) {
    SCOPED_TRACE(std::string(entry.name.begin(), entry.name.end()));
    HWND control = window.control(entry.name);
    const RECT rect = clientRectOf(control);
    EXPECT_EQ(rect.left, scaled(entry.left, dpi));
    EXPECT_EQ(rect.top, scaled(entry.top, dpi));
    EXPECT_EQ(rect.right - rect.left, scaled(entry.width, dpi));
    EXPECT_EQ(rect.bottom - rect.top, scaled(entry.height, dpi));

    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectW(handle, sizeof(font), &font), 0);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(font.lfHeight, -MulDiv(825, static_cast<int>(dpi), 7200));
    EXPECT_LE(lineHeight(control), rect.bottom - rect.top) << "a line of text is cut off";
    EXPECT_GT(lineHeight(control), 0);
  }
}

}  // namespace zenthra::ui::test
