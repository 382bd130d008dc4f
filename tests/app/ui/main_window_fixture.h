#pragma once
// A real frmqel in the test's own process, with its message boxes answered.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "force/power_table.h"
#include "gui_driver.h"
#include "ui/app_identity.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"

namespace zenthra::ui::test {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), windows_);
    ASSERT_TRUE(window_->create(SW_SHOWNORMAL));
    pump();
  }

  void pump() { pumpUntilIdle(window_->hwnd()); }
  HWND control(std::wstring_view name) const { return window_->control(name); }
  HWND box(ForcePower power) const { return control(RowOf(power).box); }
  std::wstring text(HWND control) const {
    std::wstring result(256, L'\0');
    result.resize(static_cast<std::size_t>(GetWindowTextW(control, result.data(), 256)));
    return result;
  }
  std::wstring boxText(ForcePower power) const { return text(box(power)); }
  int level(ForcePower power) const { return window_->Settings().level(power); }

  // Focusing a box selects its whole text, so `keys` replace it.
  void type(ForcePower power, std::wstring_view keys) { typeInto(window_->hwnd(), box(power), keys); }
  // Keys typed on from where the box left the caret, without selecting.
  void typeOn(ForcePower power, std::wstring_view keys) { typeInto(window_->hwnd(), box(power), keys, false); }
  void click(std::wstring_view name) {
    PostMessageW(control(name), BM_CLICK, 0, 0);
    pump();
  }
  std::vector<std::wstring> messages() { return watcher_.takeMessages(); }

  ProgramWindows windows_;
  MessageBoxWatcher watcher_{std::wstring(kAppTitle)};
  std::unique_ptr<MainWindow> window_;
};

}  // namespace zenthra::ui::test
