// Both windows in a prefix set to ZENTHRA_TEST_DPI: they open at that DPI
// with every control at its twips scaled by it, fonts made for it and every
// caption whole, and follow a move back to a 96 DPI screen. (Wine sizes the frame for the
// system DPI whatever WM_DPICHANGED says, so after a change only the
// controls are compared, not the client area.)
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <optional>

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
    main_.reset();
    about::UnloadAbout(windows_);
    test::RunPostedMessages(windows_);
  }

  HWND OpenMain() {
    main_.emplace(GetModuleHandleW(nullptr), windows_);
    EXPECT_HRESULT_SUCCEEDED(main_->Create(SW_SHOWNORMAL));
    return main_->Window();
  }
  HWND OpenAbout() { return dialog_ = about::ShowAbout(GetModuleHandleW(nullptr), windows_); }

  // Sends the open windows WM_DPICHANGED as Windows does when they move to
  // a screen of `dpi`.
  void MoveTo(UINT dpi) {
    if (main_) test::SendDpiChanged(main_->Window(), ui::kClientWidthTwips, ui::kClientHeightTwips, dpi);
    if (dialog_ != nullptr) about::testing::SendDpiChanged(dialog_, dpi);
  }

  shell::ProgramWindows windows_;
  std::optional<ui::MainWindow> main_;
  HWND dialog_ = nullptr;
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
  HWND window = OpenMain();
  EXPECT_EQ(GetDpiForWindow(window), kDpi);
  ui::test::ExpectClientAreaAt(*main_, kDpi);
  ui::test::ExpectLayoutAt(*main_, kDpi);
  ExpectOnScreen(window);
  MoveTo(96);
  ui::test::ExpectLayoutAt(*main_, 96);
}

TEST_F(PrefixDpiTest, AboutOpensScaledToThePrefixDpiWithItsLinks) {
  HWND dialog = OpenAbout();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDpiForWindow(dialog), kDpi);
  const about::AboutWindow* about = about::AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  ASSERT_NE(about->LinkLabelForTests(0), nullptr) << "the link labels are not hosted from tessarel.ocx";
  about::testing::ExpectAboutClientAreaAt(dialog, kDpi);
  about::testing::ExpectAboutLayoutAt(dialog, kDpi);
  ExpectOnScreen(dialog);
  MoveTo(96);
  about::testing::ExpectAboutLayoutAt(dialog, 96);
}

// At the prefix's DPI, then on a screen of another (96, or 192 from 96) and
// back.
TEST_F(PrefixDpiTest, EveryControlOfBothWindowsDrawsTheDesignSize) {
  const HWND windows[] = {OpenMain(), OpenAbout()};
  ASSERT_NE(windows[1], nullptr);
  for (HWND window : windows) test::ExpectChildFontsAtDesignSize(window, kDpi);
  for (const UINT dpi : {kDpi == 96 ? 192u : 96u, kDpi}) {
    SCOPED_TRACE(dpi);
    MoveTo(dpi);
    for (HWND window : windows) test::ExpectChildFontsAtDesignSize(window, dpi);
  }
}

TEST_F(PrefixDpiTest, EveryCaptionOfBothWindowsFitsItsControl) {
  const HWND windows[] = {OpenMain(), OpenAbout()};
  ASSERT_NE(windows[1], nullptr);
  test::CaptionMargins margins;
  for (HWND window : windows) test::ExpectChildFontsAtDesignSize(window, kDpi, &margins);
  std::wcout << L"At " << kDpi << L" DPI the narrowest margins are " << margins.oneLine << L" px beside \""
             << margins.oneLineCaption << L"\" and " << margins.wrapped << L" px below \""
             << margins.wrappedCaption.substr(0, 20) << L"...\"\n";
}

}  // namespace
}  // namespace zenthra
