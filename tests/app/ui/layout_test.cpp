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

// After a change of DPI the controls follow, and the frame goes where
// Windows suggests; without a suggestion fit for the DPI it takes (none, or
// one for a DPI out of range) the frame is centred on the work area, its
// top-left corner kept on it when it is larger.
TEST_F(LayoutTest, AChangeOfDpiLaysOutTheControlsAndPlacesTheFrame) {
  HWND window = window_->Window();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor));
  const RECT& work = monitor.rcWork;
  const auto frameAt = [&work](UINT dpi) {
    RECT frame{0, 0, Scaled(kClientWidthTwips, dpi), Scaled(kClientHeightTwips, dpi)};
    EXPECT_TRUE(AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi));
    OffsetRect(&frame, work.left + 7 - frame.left, work.top + 5 - frame.top);  // off centre
    return frame;
  };
  const struct {
    UINT sent, taken;
    bool suggests;
  } changes[] = {{144, 144, true}, {144, 144, false}, {8000, 960, true}};
  for (const auto& change : changes) {
    SCOPED_TRACE(testing::Message() << change.sent << (change.suggests ? " with" : " without") << " a suggestion");
    RECT suggested = frameAt(change.sent), expected = frameAt(change.taken), frame{};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(change.sent, change.sent),
                 change.suggests ? reinterpret_cast<LPARAM>(&suggested) : 0);
    Pump();
    ExpectLayoutAt(*window_, change.taken);
    ASSERT_TRUE(GetWindowRect(window, &frame));
    if (change.sent == change.taken && change.suggests) {
      EXPECT_EQ(frame, expected);
    } else if (expected.right - expected.left <= work.right - work.left) {
      EXPECT_EQ(frame.right - frame.left, expected.right - expected.left);
      EXPECT_EQ(frame.bottom - frame.top, expected.bottom - expected.top);
      EXPECT_NEAR(frame.left - work.left, work.right - frame.right, 1);
      EXPECT_NEAR(frame.top - work.top, work.bottom - frame.bottom, 1);
    } else {
      EXPECT_EQ(frame.left, work.left);
      EXPECT_EQ(frame.top, work.top);
    }
  }
}

}  // namespace
}  // namespace zenthra::ui::test
