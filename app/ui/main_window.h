#pragma once
// frmqel, the main window: the 18 level boxes, the side buttons, Go and the
// force info line, with the File and Help menus. It carries out the seven
// window operations of the force rules on its real controls and turns the
// controls' notifications into the rules' Change and Click events.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "force/force_settings.h"
#include "force/force_window.h"
#include "ui/main_window_layout.h"
#include "ui/program_windows.h"
#include "ui/unique_handle.h"

namespace zenthra::ui {

class MainWindow final : public ForceWindow {
 public:
  MainWindow(HINSTANCE instance, ProgramWindows& windows);
  ~MainWindow();  // destroys the window if it still exists
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window with all its controls in their state at start,
  // centred on its monitor, and shows it with the focus on optlight.
  // The window adds itself to `windows` and removes itself when destroyed.
  bool create(int showCommand);

  // Borrowed; nullptr once the window is gone.
  HWND hwnd() const { return hwnd_; }
  HWND control(std::wstring_view name) const;
  UINT dpi() const { return dpi_; }

  // The window operations.
  std::wstring LevelText(ForcePower power) override;
  void SetLevelText(ForcePower power, std::wstring_view text) override;
  bool OptlightSelected() override;
  bool OptdarkSelected() override;
  void ShowMessage(std::wstring_view text) override;
  void SetLevelEnabled(ForcePower power, bool enabled) override;
  void SetForceInfoText(std::wstring_view text) override;
  ForceSettings& Settings() override { return settings_; }
  std::wstring DecimalSeparator() override;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool onCreate();
  void onCommand(int id, int code, HWND source);
  void onControlNotification(std::size_t layoutIndex, int code);
  void onLevelBoxNotification(HWND box, ForcePower power, int code);
  void onDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT onCtlColorStatic(HDC dc, HWND control);
  void onActivate(bool active);
  void onNcDestroy();

  void mnuExit_Click();
  void mnuAbout_Click();

  // Font, icons and control places for dpi_.
  bool applyDpi();
  bool placeControls();
  bool loadIcons();
  void moveTabStopToSelectedOption();
  HWND levelBox(ForcePower power) const;

  HINSTANCE instance_;
  ProgramWindows& windows_;
  HWND hwnd_ = nullptr;  // owned: destroyed with this object at the latest
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  UniqueFont font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  std::array<HWND, kControlCount> controls_{};  // by layout index; owned by hwnd_
  HWND focusWhenInactive_ = nullptr;            // borrowed child
  // The box whose text the program is setting: a notification that the
  // combo might send for it is not the user's edit.
  HWND settingTextOf_ = nullptr;
  ForceSettings settings_;
};

}  // namespace zenthra::ui
