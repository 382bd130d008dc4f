// Both windows in a prefix set to ZENTHRA_TEST_DPI: they open at that DPI
// with every control at its twips scaled by it, fonts made for it and every
// caption whole, and follow a move back to a 96 DPI screen. (Wine sizes the frame for the
// system DPI whatever WM_DPICHANGED says, so after a change only the
// controls are compared, not the client area.)
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>

#include "about/about_dialog.h"
#include "about/about_window.h"
#include "about_layout_check.h"
#include "caption_fit.h"
#include "layout_check.h"
#include "layout_expectations.h"
#include "shell/program_windows.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"
#include "window_driver.h"

namespace zenthra {
namespace {

constexpr UINT kDpi = ZENTHRA_TEST_DPI;

// Nothing else is worth checking when the prefix is not at the DPI.
class PrefixDpiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetDpiForSystem(), kDpi) << "the prefix's LogPixels was not set"; }
  void TearDown() override {
    about::UnloadAbout(windows_);
    test::RunPostedMessages(windows_);
  }
  shell::ProgramWindows windows_;
};

// The whole window fits on the screen: the caption bar and every edge.
void ExpectOnScreen(HWND window) {
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(window, &frame));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor));
  RECT inside{};
  EXPECT_TRUE(IntersectRect(&inside, &frame, &monitor.rcMonitor) && EqualRect(&inside, &frame));
}

TEST_F(PrefixDpiTest, MainWindowOpensScaledToThePrefixDpi) {
  ui::MainWindow window(GetModuleHandleW(nullptr), windows_);
  ASSERT_HRESULT_SUCCEEDED(window.Create(SW_SHOWNORMAL));
  EXPECT_EQ(GetDpiForWindow(window.Window()), kDpi);
  ui::test::ExpectClientAreaAt(window, kDpi);
  ui::test::ExpectLayoutAt(window, kDpi);
  ExpectOnScreen(window.Window());

  RECT suggested{0, 0, test::Scaled(4800, 96), test::Scaled(8490, 96)};
  ASSERT_TRUE(AdjustWindowRectExForDpi(&suggested, WS_OVERLAPPEDWINDOW, TRUE, 0, 96));
  SendMessageW(window.Window(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  ui::test::ExpectLayoutAt(window, 96);
}

TEST_F(PrefixDpiTest, AboutOpensScaledToThePrefixDpiWithItsLinks) {
  HWND dialog = about::ShowAbout(GetModuleHandleW(nullptr), windows_);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDpiForWindow(dialog), kDpi);
  const about::AboutWindow* about = about::AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  ASSERT_NE(about->LinkLabelForTests(0), nullptr) << "the link labels are not hosted from tessarel.ocx";
  about::testing::ExpectAboutClientAreaAt(dialog, kDpi);
  about::testing::ExpectAboutLayoutAt(dialog, kDpi);
  ExpectOnScreen(dialog);

  about::testing::SendDpiChanged(dialog, 96);
  about::testing::ExpectAboutLayoutAt(dialog, 96);
}

// Sends both windows WM_DPICHANGED as Windows does when they move to a
// screen of `dpi`.
void MoveBothTo(HWND main, HWND dialog, UINT dpi) {
  RECT suggested{0, 0, test::Scaled(ui::kClientWidthTwips, dpi), test::Scaled(ui::kClientHeightTwips, dpi)};
  ASSERT_TRUE(AdjustWindowRectExForDpi(&suggested, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi));
  SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  about::testing::SendDpiChanged(dialog, dpi);
}

// At the prefix's DPI, then on a screen of another (96, or 192 from 96) and
// back.
TEST_F(PrefixDpiTest, EveryControlOfBothWindowsDrawsTheDesignSize) {
  ui::MainWindow window(GetModuleHandleW(nullptr), windows_);
  ASSERT_HRESULT_SUCCEEDED(window.Create(SW_SHOWNORMAL));
  HWND dialog = about::ShowAbout(GetModuleHandleW(nullptr), windows_);
  ASSERT_NE(dialog, nullptr);
  test::ExpectChildFontsAtDesignSize(window.Window(), kDpi);
  test::ExpectChildFontsAtDesignSize(dialog, kDpi);
  for (const UINT dpi : {kDpi == 96 ? 192u : 96u, kDpi}) {
    SCOPED_TRACE(dpi);
    MoveBothTo(window.Window(), dialog, dpi);
    test::ExpectChildFontsAtDesignSize(window.Window(), dpi);
    test::ExpectChildFontsAtDesignSize(dialog, dpi);
  }
}

TEST_F(PrefixDpiTest, EveryCaptionOfBothWindowsFitsItsControl) {
  ui::MainWindow window(GetModuleHandleW(nullptr), windows_);
  ASSERT_HRESULT_SUCCEEDED(window.Create(SW_SHOWNORMAL));
  HWND dialog = about::ShowAbout(GetModuleHandleW(nullptr), windows_);
  ASSERT_NE(dialog, nullptr);
  test::CaptionMargins margins;
  test::ExpectChildCaptionsFit(window.Window(), kDpi, margins);
  test::ExpectChildCaptionsFit(dialog, kDpi, margins);
  std::wcout << L"At " << kDpi << L" DPI the narrowest margins are " << margins.oneLine << L" px beside \""
             << margins.oneLineCaption << L"\" and " << margins.wrapped << L" px below \""
             << margins.wrappedCaption.substr(0, 20) << L"...\"\n";
}

}  // namespace
}  // namespace zenthra
