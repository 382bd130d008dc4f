// The controls' rectangles and font on the real window, at 96 and 144 DPI,
// against the layout table in twips.

#include "main_window_fixture.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {
namespace {

class LayoutTest : public MainWindowTest {
 protected:
  RECT clientRectOf(HWND child) const {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, window_->hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // Every control at MulDiv(twips, dpi, 1440), drawn in MS Sans Serif 8.25pt.
  void expectLayoutAt(int dpi) {
    for (const ControlSpec& entry : kMainWindowLayout) {
      SCOPED_TRACE(std::string(entry.name.begin(), entry.name.end()));
      const RECT rect = clientRectOf(control(entry.name));
      EXPECT_EQ(rect.left, MulDiv(entry.left, dpi, kTwipsPerInch));
      EXPECT_EQ(rect.top, MulDiv(entry.top, dpi, kTwipsPerInch));
      EXPECT_EQ(rect.right - rect.left, MulDiv(entry.width, dpi, kTwipsPerInch));
      EXPECT_EQ(rect.bottom - rect.top, MulDiv(entry.height, dpi, kTwipsPerInch));

      LOGFONTW font{};
      auto handle = reinterpret_cast<HFONT>(SendMessageW(control(entry.name), WM_GETFONT, 0, 0));
      ASSERT_NE(GetObjectW(handle, sizeof(font), &font), 0);
      EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
      EXPECT_EQ(font.lfHeight, -MulDiv(825, dpi, 7200));
    }
  }
};

TEST_F(LayoutTest, ControlsSitAtTheirTwipsAt96Dpi) {
  ASSERT_EQ(window_->dpi(), 96u);
  RECT client{};
  GetClientRect(window_->hwnd(), &client);
  EXPECT_EQ(client.right, kClientWidthTwips / 15);
  EXPECT_EQ(client.bottom, kClientHeightTwips / 15);
  expectLayoutAt(96);
}

TEST_F(LayoutTest, ControlsFollowAChangeTo144Dpi) {
  RECT frame{};
  GetWindowRect(window_->hwnd(), &frame);
  RECT suggested{frame.left, frame.top, frame.left + (frame.right - frame.left) * 3 / 2,
                 frame.top + (frame.bottom - frame.top) * 3 / 2};
  SendMessageW(window_->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  pump();
  EXPECT_EQ(window_->dpi(), 144u);
  expectLayoutAt(144);
}

}  // namespace
}  // namespace zenthra::ui::test
