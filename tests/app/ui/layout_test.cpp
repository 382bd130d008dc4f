// The controls' rectangles and font on the real window, at 96 and 144 DPI,
// against the layout table in twips.

#include "layout_check.h"
#include "layout_expectations.h"
#include "main_window_fixture.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {
namespace {

using LayoutTest = MainWindowTest;

TEST_F(LayoutTest, ControlsSitAtTheirTwipsAt96Dpi) {
  ASSERT_EQ(GetDpiForWindow(window_->Window()), 96u);
  ExpectClientAreaAt(*window_, 96);
  ExpectLayoutAt(*window_, 96);
}

TEST_F(LayoutTest, ControlsFollowAChangeTo144Dpi) {
  // Windows suggests the frame around the client area scaled to the new DPI.
  RECT suggested{0, 0, Scaled(kClientWidthTwips, 144), Scaled(kClientHeightTwips, 144)};
  ASSERT_TRUE(AdjustWindowRectExForDpi(&suggested, WS_OVERLAPPEDWINDOW, TRUE, 0, 144));
  SendMessageW(window_->Window(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  Pump();
  ExpectLayoutAt(*window_, 144);
}

}  // namespace
}  // namespace zenthra::ui::test
