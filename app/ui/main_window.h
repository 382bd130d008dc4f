#pragma once
// frmqel, the main window: the 18 level boxes, the side buttons, Go and the
// force info line, with the File and Help menus. It carries out the seven
// window operations of the force rules on its real controls and turns the
// controls' notifications into the rules' Change and Click events. A bot
// file can be opened into it and its line saved back into the file; while
// one is open, the window asks before anything would discard its changes.

#include <windows.h>

#include <string>
#include <string_view>

#include "force/bot_file.h"
#include "force/force_settings.h"
#include "force/force_window.h"
#include "shell/dpi.h"
#include "shell/dpi_resources.h"
#include "shell/focus_keeper.h"
#include "shell/program_windows.h"
#include "shell/window_base.h"
#include "botfile/bot_file_document.h"
#include "ui/main_window_controls.h"
#include "ui/shortcut_keys.h"
#include "win32/unique_handle.h"

namespace zenthra::ui {

// Owned by its creator (wWinMain, or a test), never by its window: the
// object lives on after the window is gone, and destroys a window that
// still exists when it goes itself.
class MainWindow final : public shell::WindowBase<MainWindow, shell::Owner::Caller, ForceWindow> {
 public:
  static constexpr const wchar_t* kClassName = kMainWindowClass;

  MainWindow(HINSTANCE instance, shell::ProgramWindows& windows);
  ~MainWindow();

  // Creates the window with all its controls in their state at start,
  // centred on its monitor, and shows it with the focus on optlight.
  // The window adds itself to `windows` and removes itself when destroyed.
  HRESULT Create(int showCommand);

  // Borrowed; nullptr once the window is gone.
  HWND Control(MainControl control) const { return controls_[control.Index()]; }

  // Opens the bot file at `path`: its side and levels go into the window and
  // Go shows its line. A file that cannot be used is reported and changes
  // nothing; one whose value breaks a rule opens for repair if the user
  // agrees. Does not ask about the window's changes (see KeepOrSaveChanges).
  void OpenBotFile(std::wstring_view path);

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
  friend WindowBase;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnNcDestroy();

  HRESULT OnCreate();
  void OnCommand(int id, int code, HWND source);
  void OnControlNotification(std::size_t layoutIndex, int code);
  void OnLevelBoxNotification(HWND box, ForcePower power, int code);
  void KeepDisabledBoxCleared(HWND box, ForcePower power);
  // Shows `text` in `box` as the program's own setting: whatever the combo
  // notifies meanwhile is not the user's edit, and runs no rule.
  HRESULT ShowOwnText(HWND box, std::wstring_view text);
  void OnDpiChanged(const shell::dpi::DpiChange& change);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);

  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuSaveAs_Click();
  void mnuExit_Click();
  void mnuAbout_Click();
  void OnDropFiles(HDROP drop);
  void OnClose();
  bool OnQueryEndSession();

  // The value that Go would compose now, and whether it differs from the
  // open bot's saved value.
  ForceInfoValue CurrentValue();
  bool HasChanges();
  // Before the window's changes would be discarded: asks whether to save
  // them. True when the action may go on (saved, or not wanted); false when
  // the user cancelled or the save failed, and nothing may change.
  bool KeepOrSaveChanges();
  // Go, then the value into the bot at `path`, which then is the open one;
  // a failure is told. True when saved.
  bool SaveInto(std::wstring_view path);

  // Shows a bot's side and levels as they are, then runs Go.
  void ShowForceInfoValue(const ForceInfoValue& value);
  // Selects the side's option button and runs its Click handling.
  void ChooseSide(Side side);
  // The points counter, and the caption: the window's own, the open file's
  // name and a mark of unsaved changes.
  void ShowEditState();

  // Font, icons and control places for dpi_.
  HRESULT ApplyDpi();
  void MoveTabStopToSelectedOption();
  HWND LevelBox(ForcePower power) const { return Control(MainControl::LevelBoxOf(power)); }

  HINSTANCE instance_;
  shell::ProgramWindows& windows_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  win32::UniqueHfont font_;
  shell::WindowIcons icons_;
  Controls controls_{};  // owned by the window
  shell::FocusKeeper focus_;
  // The box whose text the program is setting: a notification that the
  // combo might send for it is not the user's edit.
  HWND settingTextOf_ = nullptr;
  ForceSettings settings_;
  botfile::BotFileDocument document_;
  ShortcutKeys shortcutKeys_;
};

}  // namespace zenthra::ui
