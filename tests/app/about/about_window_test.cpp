// frmAbout as Help > About shows it, in a prefix where the link label
// library is not registered and this program declares no manifest for it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_dialog.h"
#include "about/about_layout.h"
#include "about/about_window.h"
#include "about_layout_check.h"
#include "layout_expectations.h"
#include "shell/program_windows.h"
#include "window_driver.h"

namespace zenthra::about {
namespace {

using zenthra::test::ChildRect;
using zenthra::test::RunPostedMessages;
using zenthra::test::TextOf;

constexpr wchar_t kDescription[] =
    L"This program will help you generate the Force Info for the bot .qeb files in Qel. In the .qeb files, it asks "
    L"you for force settings. This program provides a nicer User Interface for deciding on the force points. You can "
    L"use this program to find the forceinfo value.";
constexpr wchar_t kDisclaimer[] = L"Warning: I am not responsible for any trouble you get into by using this program.";

// Rectangles at 96 DPI (15 twips to the pixel), the prefix's setting.
RECT Pixels(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

// Dialogs of this program (tests of other programs may run alongside).
int CountDialogs() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        if (zenthra::test::ClassOf(window) == kAboutWindowClass) ++*reinterpret_cast<int*>(found);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower) {
  for (HWND window = GetWindow(upper, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
    if (window == lower) return true;
  return false;
}

class AboutWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UnloadAbout(windows_);
    RunPostedMessages(windows_);
  }
  HWND Show() { return ShowAbout(GetModuleHandleW(nullptr), windows_); }
  std::wstring Item(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

  shell::ProgramWindows windows_;
};

// Each control with its loaded text at its layout rectangle; without the
// library each link's text stands as a plain label in its place, top to
// bottom "My Website", "Contact Me", then the domain name.
TEST_F(AboutWindowTest, HelpAboutShowsTheLoadedTextsAtTheirLayoutRectangles) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_EQ(TextOf(dialog), L"About Orvane");
  EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, kCmdOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kCmdOK));
  const struct {
    int id;
    const wchar_t* text;
    RECT rect;
  } controls[] = {
      {kLblTitle, L"Orvane", Pixels(104, 8, 259, 16)},
      {kLblVersion, L"Version 1.0.0", Pixels(104, 40, 259, 15)},
      {kLblDescription, kDescription, Pixels(104, 64, 259, 78)},
      {kLblDisclaimer, kDisclaimer, Pixels(17, 175, 258, 55)},
      {kCmdOK, L"OK", Pixels(283, 175, 84, 23)},
      {kCmdSysInfo, L"&System Info...", Pixels(284, 205, 83, 23)},
      {kFirstLinkLabel, L"My Website", Pixels(8, 112, 65, 17)},
      {kFirstLinkLabel + 1, L"W3.org", Pixels(8, 144, 65, 17)},
      {kFirstLinkLabel + 2, L"Contact Me", Pixels(8, 128, 65, 17)},
  };
  for (const auto& control : controls) {
    SCOPED_TRACE(control.id);
    EXPECT_EQ(Item(dialog, control.id), control.text);
    EXPECT_EQ(ChildRect(GetDlgItem(dialog, control.id)), control.rect);
  }
  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(about->LinkLabelForTests(static_cast<std::size_t>(i)), nullptr);
    EXPECT_EQ(zenthra::test::ClassOf(GetDlgItem(dialog, kFirstLinkLabel + i)), L"Static");
  }
}

// The dialog is created at its place: centred on the work area of the
// primary monitor, with the layout's client size.
TEST_F(AboutWindowTest, OpensCentredOnTheWorkArea) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(dialog, &frame));
  const RECT& work = monitor.rcWork;
  // Centred to the pixel: odd differences round toward the top left.
  EXPECT_EQ(frame.left - work.left, (work.right - work.left - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top - work.top, (work.bottom - work.top - (frame.bottom - frame.top)) / 2);
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client, Pixels(0, 0, 382, 237));
}

TEST_F(AboutWindowTest, PictureAndEtchedRuleArePainted) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(dialog);
  ASSERT_NE(dc, nullptr);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // The picture's ring is yellow and its centre dark blue, at any stretch.
  const COLORREF centre = GetPixel(dc, 48, 30);
  const COLORREF gradient = GetPixel(dc, 2, 2);
  // Line1: grey at 2445 twips (pixel row 163), white below it.
  const COLORREF grey = GetPixel(dc, 200, 163);
  const COLORREF white = GetPixel(dc, 200, 164);
  const COLORREF plain = GetPixel(dc, 200, 150);
  ReleaseDC(dialog, dc);
  EXPECT_NE(centre, face);
  EXPECT_NE(gradient, face);
  EXPECT_EQ(grey, RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(white, RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(plain, face);
}

TEST_F(AboutWindowTest, SecondHelpAboutBringsTheOpenDialogForward) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  // Form_Load does not run again: a changed text stays.
  SetDlgItemTextW(dialog, kLblVersion, L"changed");
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(IsAbove(other, dialog));
  EXPECT_EQ(Show(), dialog);
  EXPECT_EQ(CountDialogs(), 1);
  EXPECT_EQ(Item(dialog, kLblVersion), L"changed");
  EXPECT_TRUE(IsAbove(dialog, other));
  DestroyWindow(other);
}

enum class CloseBy { OkClick, Enter, Escape, EscapeOnSysInfo, FrameClose, UnloadAbout };

class AboutCloseTest : public AboutWindowTest, public ::testing::WithParamInterface<CloseBy> {};

// Each way of closing unloads the dialog; the next Help > About loads it
// anew and runs Form_Load again.
TEST_P(AboutCloseTest, ClosingUnloadsAndTheNextHelpAboutLoadsAgain) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, kLblTitle, L"changed");
  SetWindowTextW(dialog, L"changed");

  HWND ok = GetDlgItem(dialog, kCmdOK);
  HWND sysInfo = GetDlgItem(dialog, kCmdSysInfo);
  switch (GetParam()) {
    case CloseBy::OkClick:
      PostMessageW(ok, BM_CLICK, 0, 0);
      break;
    case CloseBy::Enter:
      ASSERT_EQ(GetFocus(), ok);
      PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0x001C0001);
      break;
    case CloseBy::Escape:
      PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      break;
    case CloseBy::EscapeOnSysInfo:
      SetFocus(sysInfo);
      PostMessageW(sysInfo, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      break;
    case CloseBy::FrameClose:
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case CloseBy::UnloadAbout:
      UnloadAbout(windows_);
      break;
  }
  RunPostedMessages(windows_);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(windows_.Find(kAboutWindowClass), nullptr);
  EXPECT_EQ(CountDialogs(), 0);

  HWND again = Show();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(TextOf(again), L"About Orvane");
  EXPECT_EQ(Item(again, kLblTitle), L"Orvane");
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutCloseTest,
                         ::testing::Values(CloseBy::OkClick, CloseBy::Enter, CloseBy::Escape, CloseBy::EscapeOnSysInfo,
                                           CloseBy::FrameClose, CloseBy::UnloadAbout));

// The program runs while either window is open. A plain top-level window
// stands in for the main window here.
class StandInMainWindow {
 public:
  explicit StandInMainWindow(shell::ProgramWindows& windows) {
    window_ = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    windows.Add(window_);
  }
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// UnloadAbout with nothing loaded leaves the program as it was.
TEST_F(AboutWindowTest, ProgramEndsOnlyWhenTheLastOfBothWindowsIsGone) {
  StandInMainWindow main(windows_);
  UnloadAbout(windows_);
  EXPECT_FALSE(RunPostedMessages(windows_));
  EXPECT_TRUE(IsWindow(main.Handle()));
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);

  // The main window goes first: the dialog keeps the program running.
  DestroyWindow(main.Handle());
  windows_.Remove(main.Handle());
  EXPECT_FALSE(RunPostedMessages(windows_));
  EXPECT_TRUE(IsWindow(dialog));

  PostMessageW(GetDlgItem(dialog, kCmdOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(RunPostedMessages(windows_));
}

// Moved to a screen of another DPI, the dialog rescales everything from its
// layout, the plain labels standing in for the links included.
TEST_F(AboutWindowTest, EverythingFollowsAChangeOfDpi) {
  HWND dialog = Show();
  ASSERT_NE(dialog, nullptr);
  for (const UINT dpi : {144u, 192u, 96u}) {
    SCOPED_TRACE(dpi);
    testing::SendDpiChanged(dialog, dpi);
    testing::ExpectAboutLayoutAt(dialog, dpi);
  }
}

}  // namespace
}  // namespace zenthra::about
