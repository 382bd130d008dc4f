#pragma once
// A real frmqel in the test's own process, with its message boxes answered
// and the bot file helpers at hand.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "bot_file_support.h"
#include "force/power_table.h"
#include "shell/app_identity.h"
#include "shell/program_windows.h"
#include "ui/main_window.h"
#include "window_driver.h"

namespace zenthra::ui::test {

using namespace zenthra::test;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), windows_);
    ASSERT_HRESULT_SUCCEEDED(window_->Create(SW_SHOWNORMAL));
    Pump();
  }

  void Pump() { PumpUntilIdle(window_->Window()); }
  HWND Control(MainControl control) const { return window_->Control(control); }
  HWND Box(ForcePower power) const { return Control(MainControl::LevelBoxOf(power)); }
  std::wstring BoxText(ForcePower power) const { return TextOf(Box(power)); }
  int Level(ForcePower power) const { return window_->Settings().level(power); }

  // Focusing a box selects its whole text, so `keys` replace it.
  void Type(ForcePower power, std::wstring_view keys) { TypeInto(window_->Window(), Box(power), keys); }
  // Keys typed on from where the box left the caret, without selecting.
  void TypeOn(ForcePower power, std::wstring_view keys) { TypeInto(window_->Window(), Box(power), keys, false); }
  void Click(MainControl button) {
    PostMessageW(Control(button), BM_CLICK, 0, 0);
    Pump();
  }
  std::vector<std::wstring> Messages() { return watcher_.TakeMessages(); }

  shell::ProgramWindows windows_;
  MessageBoxWatcher watcher_{shell::kAppTitle};
  std::unique_ptr<MainWindow> window_;
};

}  // namespace zenthra::ui::test
