// The About dialog with the real main window: Help > About and File > Exit
// as the menu sends them, and the program's end when the last window goes.
#include <gtest/gtest.h>
#include <windows.h>

#include "about/about_layout.h"
#include "about/about_window.h"
#include "about_layout_check.h"
#include "layout_check.h"
#include "layout_expectations.h"
#include "shell/dpi.h"
#include "shell/program_windows.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "window_driver.h"

namespace zenthra::about {
namespace {

using zenthra::test::RunPostedMessages;

class AboutProgramTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_HRESULT_SUCCEEDED(main_.Create(SW_SHOWNORMAL)); }
  void TearDown() override {
    if (HWND dialog = windows_.Find(kAboutWindowClass)) DestroyWindow(dialog);
    RunPostedMessages(windows_);
  }

  void Menu(int command) { PostMessageW(main_.Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }
  HWND Dialog() const { return windows_.Find(kAboutWindowClass); }
  // Help > About, as the menu sends it; the dialog it opened.
  HWND OpenAbout() {
    Menu(IDM_ABOUT);
    EXPECT_FALSE(RunPostedMessages(windows_)) << "Help > About ended the program";
    return Dialog();
  }

  shell::ProgramWindows windows_;
  ui::MainWindow main_{GetModuleHandleW(nullptr), windows_};
};

TEST_F(AboutProgramTest, HelpAboutTwiceKeepsOneDialogBesideAUsableMainWindow) {
  HWND dialog = OpenAbout();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_EQ(OpenAbout(), dialog);
  EXPECT_TRUE(IsWindowEnabled(main_.Window()));
}

TEST_F(AboutProgramTest, FileExitWithTheDialogOpenEndsTheProgram) {
  HWND dialog = OpenAbout();
  ASSERT_NE(dialog, nullptr);

  Menu(IDM_EXIT);
  EXPECT_TRUE(RunPostedMessages(windows_));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(main_.Window(), nullptr);
}

TEST_F(AboutProgramTest, ClosingTheMainWindowLeavesTheDialogRunningTheProgram) {
  HWND dialog = OpenAbout();
  ASSERT_NE(dialog, nullptr);

  PostMessageW(main_.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(RunPostedMessages(windows_));
  EXPECT_EQ(main_.Window(), nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));

  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(RunPostedMessages(windows_));
  EXPECT_FALSE(IsWindow(dialog));
}

// Any sender may put any DPI in WM_DPICHANGED, with a frame made for it:
// both windows keep running, laid out at the nearest DPI they take.
TEST_F(AboutProgramTest, AbsurdDpiChangesLeaveBothWindowsRunningAtASaneDpi) {
  HWND dialog = OpenAbout();
  ASSERT_NE(dialog, nullptr);
  for (const UINT sent : {8000u, 0u, 0xFFFFu}) {
    SCOPED_TRACE(sent);
    const UINT taken = sent == 0 ? shell::dpi::kMinimumDpi : shell::dpi::kMaximumDpi;
    using zenthra::test::Scaled;
    RECT suggested{0, 0, Scaled(ui::kClientWidthTwips, sent), Scaled(ui::kClientHeightTwips, sent)};
    SendMessageW(main_.Window(), WM_DPICHANGED, MAKEWPARAM(sent, sent), reinterpret_cast<LPARAM>(&suggested));
    testing::SendDpiChanged(dialog, sent);
    EXPECT_FALSE(RunPostedMessages(windows_));
    ASSERT_TRUE(IsWindow(main_.Window()) && IsWindow(dialog));
    ui::test::ExpectLayoutAt(main_, taken);
    testing::ExpectAboutLayoutAt(dialog, taken);
  }
}

}  // namespace
}  // namespace zenthra::about
