#include "layout_check.h"

#include <gtest/gtest.h>

#include <string>

#include "layout_expectations.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {

using zenthra::test::Scaled;

void ExpectClientAreaAt(const MainWindow& window, UINT dpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window.Window(), &client));
  EXPECT_EQ(client.right, Scaled(kClientWidthTwips, dpi));
  EXPECT_EQ(client.bottom, Scaled(kClientHeightTwips, dpi));
}

void ExpectLayoutAt(const MainWindow& window, UINT dpi) {
  for (const ControlSpec& entry : kMainWindowLayout) {
    SCOPED_TRACE(std::string(entry.name.begin(), entry.name.end()));
    HWND control = GetDlgItem(window.Window(), ControlId(static_cast<std::size_t>(&entry - kMainWindowLayout.data())));
    zenthra::test::ExpectAt(control, entry.rect, dpi);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    zenthra::test::ExpectLayoutFont(control, font, dpi);
    zenthra::test::ExpectLayoutFace(control, font, dpi);
  }
}

}  // namespace zenthra::ui::test
