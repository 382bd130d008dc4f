#include "ui/main_window.h"

#include <windowsx.h>

#include <array>
#include <utility>

#include <shlobj.h>

#include "about/about_dialog.h"
#include "force/bot_editing.h"
#include "force/force_info_line.h"
#include "force/level_rules.h"
#include "force/number_reading.h"
#include "force/power_table.h"
#include "force/side_selection.h"
#include "shell/dpi.h"
#include "shell/window_placement.h"
#include "shell/window_text.h"
#include "ui/bot_file_choice.h"
#include "botfile/bot_file_messages.h"
#include "botfile/bot_file_storage.h"
#include "ui/control_accessible.h"
#include "ui/level_box.h"
#include "ui/resource_ids.h"
#include "win32/result.h"

namespace zenthra::ui {

namespace {

bool SetStyleBit(HWND window, LONG_PTR bit, bool on) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
  if (wanted == style) return true;
  SetLastError(ERROR_SUCCESS);
  return SetWindowLongPtrW(window, GWL_STYLE, wanted) != 0 || GetLastError() == ERROR_SUCCESS;
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// While it lives, `slot` names the box whose text the program is setting.
class SettingTextOf {
 public:
  SettingTextOf(HWND& slot, HWND box) : slot_(slot), previous_(std::exchange(slot, box)) {}
  SettingTextOf(const SettingTextOf&) = delete;
  SettingTextOf& operator=(const SettingTextOf&) = delete;
  ~SettingTextOf() { slot_ = previous_; }

 private:
  HWND& slot_;
  HWND previous_;  // borrowed, as the slot's
};

SIZE ClientSize(UINT dpi) {
  return {shell::ToPixels(kClientWidthTwips, dpi), shell::ToPixels(kClientHeightTwips, dpi)};
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, shell::ProgramWindows& windows) : instance_(instance), windows_(windows) {}

MainWindow::~MainWindow() {
  if (Window() != nullptr) DestroyWindow(Window());
}

HRESULT MainWindow::Create(int showCommand) {
  RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS), Window() != nullptr);  // the window exists at most once
  // Sized and centred in WM_CREATE, once the window's DPI is known.
  const shell::WindowSetup setup{reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)),
                                 MAKEINTRESOURCEW(IDR_MAINMENU),
                                 kMainWindowFrame.style,
                                 // Files dropped from Explorer arrive as WM_DROPFILES; the
                                 // style says so without loading the shell at start.
                                 kMainWindowFrame.exStyle | WS_EX_ACCEPTFILES,
                                 kMainWindowCaption,
                                 {}};
  RETURN_LAST_ERROR_IF(!CreateWindowOf(this, instance_, setup));
  ShowWindow(Window(), showCommand);  // returns the earlier visibility, not an error
  RETURN_LAST_ERROR_IF(!UpdateWindow(Window()));
  // Activation has normally put the focus on optlight already. A window
  // started inactive gets it when first activated (WM_ACTIVATE), so a
  // refusal here is no failure.
  SetFocus(Control(kOptlight));
  return S_OK;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return SUCCEEDED(OnCreate()) ? 0 : -1;
    case WM_COMMAND:
      OnCommand(GET_WM_COMMAND_ID(wParam, lParam), GET_WM_COMMAND_CMD(wParam, lParam),
                GET_WM_COMMAND_HWND(wParam, lParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(shell::dpi::ReadDpiChanged(wParam, lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      focus_.OnActivate(Window(), wParam, Control(kOptlight));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession() ? TRUE : FALSE;
    default:
      return DefWindowProcW(Window(), message, wParam, lParam);
  }
}

HRESULT MainWindow::OnCreate() {
  RETURN_IF_FAILED(shortcutKeys_.Load(instance_, Window()));
  windows_.Add(Window(), &shortcutKeys_);
  settings_ = ForceSettings{};
  dpi_ = shell::dpi::ForWindow(Window());
  font_ = shell::CreateLayoutFont(dpi_);
  RETURN_LAST_ERROR_IF(!font_);
  RETURN_IF_FAILED(CreateControls(instance_, Window(), dpi_, font_.get(), controls_));
  RETURN_IF_FAILED(control_accessible::NameAs(Control(kTxtforce), control_accessible::kForceInfoLineName));
  // A window without its icon still works: the icons are not worth failing for.
  LOG_IF_FAILED(icons_.Set(instance_, Window(), dpi_));
  ShowEditState();
  // Centred on the monitor's work area, with the client area of the layout.
  return shell::CentreWindow(Window(), ClientSize(dpi_), kMainWindowFrame, dpi_);
}

HRESULT MainWindow::ApplyDpi() {
  win32::UniqueHfont font = shell::CreateLayoutFont(dpi_);
  RETURN_LAST_ERROR_IF(!font);
  for (HWND child : controls_) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the old font goes only now that no control uses it
  RETURN_IF_FAILED(PlaceControls(controls_, dpi_));
  // A window without its icon still works: the icons are not worth failing for.
  LOG_IF_FAILED(icons_.Set(instance_, Window(), dpi_));
  RETURN_LAST_ERROR_IF(!InvalidateRect(Window(), nullptr, TRUE));
  return S_OK;
}

void MainWindow::OnDpiChanged(const shell::dpi::DpiChange& change) {
  dpi_ = change.dpi;
  // Controls that could not follow keep their last places, and a frame
  // that cannot move keeps its own: the window stays usable either way, and
  // there is nobody to report to in the middle of a move.
  LOG_IF_FAILED(ApplyDpi());
  LOG_IF_FAILED(shell::FollowDpiChange(Window(), change, ClientSize(dpi_), kMainWindowFrame));
}

void MainWindow::OnCommand(int id, int code, HWND source) {
  if (id >= kFirstControlId && id < ControlId(kMainWindowLayout.size()) && source != nullptr) {
    OnControlNotification(static_cast<std::size_t>(id - kFirstControlId), code);
    // Whatever the notification changed, the counter and caption follow.
    ShowEditState();
    return;
  }
  switch (id) {
    case IDM_OPEN:
      mnuOpen_Click();
      return;
    case IDM_SAVE:
      mnuSave_Click();
      return;
    case IDM_SAVE_AS:
      mnuSaveAs_Click();
      return;
    case IDM_EXIT:
      mnuExit_Click();
      return;
    case IDM_ABOUT:
      mnuAbout_Click();
      return;
    // Enter: Go is never the default button, but Enter on the focused Go
    // presses it like a click.
    case IDOK:
      if (GetFocus() == Control(kCmdgo)) cmdgo_Click(*this);
      return;
    default:
      return;
  }
}

void MainWindow::OnControlNotification(std::size_t layoutIndex, int code) {
  const ControlSpec& entry = kMainWindowLayout[layoutIndex];
  HWND source = controls_[layoutIndex];
  switch (entry.kind) {
    case ControlKind::LevelBox:
      if (entry.power) OnLevelBoxNotification(source, *entry.power, code);
      return;
    case ControlKind::OptionButton:
      if (code != BN_CLICKED || !IsChecked(source)) return;
      MoveTabStopToSelectedOption();
      if (source == Control(kOptlight)) optlight_Click(*this);
      if (source == Control(kOptdark)) optdark_Click(*this);
      return;
    case ControlKind::CommandButton:
      if (code == BN_CLICKED) cmdgo_Click(*this);
      return;
    case ControlKind::Label:
    case ControlKind::TextBox:
      return;
  }
}

void MainWindow::OnLevelBoxNotification(HWND box, ForcePower power, int code) {
  if (box == settingTextOf_) return;
  if (!IsWindowEnabled(box)) {
    if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_CLOSEUP) KeepDisabledBoxCleared(box, power);
    return;
  }
  switch (code) {
    case CBN_EDITCHANGE:
      levelBox_Change(*this, power);
      return;
    case CBN_SELCHANGE: {
      // The edit field still shows the old text: show the picked item first,
      // without a Change pass, so that Click finds the picked text.
      const auto picked = level_box::PickedItem(box);
      if (!picked) return;
      const HRESULT shown = ShowOwnText(box, *picked);
      if (SUCCEEDED(shown)) levelBox_Click(*this, power);
      return;
    }
    case CBN_CLOSEUP: {
      // Closing the list may put back an earlier text (Escape after arrowing
      // through the items) without any other notification: the record must
      // follow what the box shows.
      const LevelReading reading = ReadLevel(level_box::Text(box), DecimalSeparator());
      if (reading.error || reading.level != settings_.level(power)) levelBox_Change(*this, power);
      return;
    }
    default:
      return;
  }
}

// No user can type into a disabled box or pick from its list, but another
// program can: what it puts there goes back to "00" without a message, so
// that the other side's powers keep level 0 and a save keeps the rules.
void MainWindow::KeepDisabledBoxCleared(HWND box, ForcePower power) {
  // Also selects the item "00", which a list pick then keeps showing.
  const HRESULT shown = ShowOwnText(box, kClearText);
  // The Change pass of "00" stores its level 0. A box that refused the text
  // keeps what it shows, and the record what it held.
  if (SUCCEEDED(shown) && settings_.level(power) != 0) levelBox_Change(*this, power);
}

LRESULT MainWindow::OnCtlColorStatic(HDC dc, HWND control) {
  // A read-only edit asks with WM_CTLCOLORSTATIC; txtforce draws on the
  // tooltip background colour, everything else on the defaults.
  if (control != Control(kTxtforce) || SetBkColor(dc, GetSysColor(COLOR_INFOBK)) == CLR_INVALID ||
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT)) == CLR_INVALID)
    return DefWindowProcW(Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));  // system brush, never freed
}

// The window goes; this object stays with its owner.
void MainWindow::OnNcDestroy() {
  controls_ = {};
  focus_.Forget();
  windows_.Remove(Window());
}

void MainWindow::MoveTabStopToSelectedOption() {
  for (MainControl option : {kOptlight, kOptdark}) {
    HWND button = Control(option);
    SetStyleBit(button, WS_TABSTOP, IsChecked(button));
  }
}

void MainWindow::mnuOpen_Click() {
  if (!KeepOrSaveChanges()) return;
  const FileDialogResult chosen = AskForBotFile(Window(), FileDialogPurpose::Open, nullptr, document_.Path());
  if (chosen.error != 0) ShowMessage(botfile::FileDialogFailureMessage(chosen.error));
  if (chosen.path) OpenBotFile(*chosen.path);
}

void MainWindow::mnuSave_Click() {
  if (!document_.IsOpen()) return mnuSaveAs_Click();
  static_cast<void>(SaveInto(document_.Path()));  // a failed save has told the user
}

// With no file open, and as Save As: the user chooses the bot to save into,
// and is asked before its force settings are replaced. The window's levels
// are what is saved; the bot's are shown in the question.
void MainWindow::mnuSaveAs_Click() {
  const wchar_t* title = document_.IsOpen() ? L"Save to Bot File As" : L"Save to Bot File";
  const FileDialogResult chosen = AskForBotFile(Window(), FileDialogPurpose::Save, title, document_.Path());
  if (chosen.error != 0) ShowMessage(botfile::FileDialogFailureMessage(chosen.error));
  if (!chosen.path) return;
  const ForceInfoValue value = CurrentValue();
  if (const auto problem = BrokenRule(value, 0)) {
    ShowMessage(ProblemMessage(*problem) + std::wstring(botfile::kNothingSaved));
    return;
  }
  const auto target = document_.Read(*chosen.path);
  if (const auto* message = std::get_if<std::wstring>(&target)) {
    ShowMessage(*message + std::wstring(botfile::kNothingSaved));
    return;
  }
  const botfile::BotReading& bot = std::get<botfile::BotReading>(target);
  const std::wstring question = ReplaceQuestion(botfile::FileNameOf(bot.path), bot.value, value);
  if (windows_.Ask(Window(), question, MB_YESNO | MB_DEFBUTTON2) != IDYES) return;
  static_cast<void>(SaveInto(bot.path));  // a failed save has told the user
}

bool MainWindow::SaveInto(std::wstring_view path) {
  cmdgo_Click(*this);
  const auto message = document_.SaveTo(path, CurrentValue());
  ShowEditState();
  if (message) {
    ShowMessage(*message);
    return false;
  }
  SHAddToRecentDocs(SHARD_PATHW, document_.Path().c_str());
  return true;
}

ForceInfoValue MainWindow::CurrentValue() { return ValueOf(settings_, ChosenSide(*this).value_or(Side::Light)); }

bool MainWindow::HasChanges() { return document_.IsOpen() && IsChanged(document_.Saved(), CurrentValue()); }

bool MainWindow::KeepOrSaveChanges() {
  if (!HasChanges()) return true;
  switch (windows_.Ask(Window(), SaveChangesQuestion(document_.FileName()), MB_YESNOCANCEL)) {
    case IDYES:
      return SaveInto(document_.Path());
    case IDNO:
      return true;
    default:  // Cancel, or a box that could not open: nothing is lost
      return false;
  }
}

void MainWindow::OnDropFiles(HDROP drop) {
  UINT count = 0;
  const auto path = DroppedFile(win32::UniqueHdrop(drop), count);
  if (count > 1) {
    ShowMessage(kOneBotAtATime);
    return;
  }
  if (path && KeepOrSaveChanges()) OpenBotFile(*path);
}

void MainWindow::OpenBotFile(std::wstring_view path) {
  const auto read = document_.Read(path);
  if (const auto* message = std::get_if<std::wstring>(&read)) {
    ShowMessage(*message);
    return;
  }
  const botfile::BotReading& bot = std::get<botfile::BotReading>(read);
  if (bot.brokenRule && windows_.Ask(Window(), RepairQuestion(*bot.brokenRule), MB_YESNO) != IDYES) return;
  ShowForceInfoValue(bot.brokenRule ? RepairedValue(bot.value) : bot.value);
  document_.Adopt(bot);
  ShowEditState();
  SHAddToRecentDocs(SHARD_PATHW, bot.path.c_str());
}

// Straight into the boxes and the record, past the level rules: a bot opened
// for repair may hold more points than the budget allows, which the rules
// would refuse one level at a time. The side comes first, so that its
// Click handling clears the other side's boxes as it always does.
void MainWindow::ShowForceInfoValue(const ForceInfoValue& value) {
  ChooseSide(value.side);
  for (const PowerRow& row : PowerTable) {
    const std::int16_t level = value.levels[IndexOf(row.power)];
    HWND box = LevelBox(row.power);
    const HRESULT shown = ShowOwnText(box, kLevelItems[static_cast<std::size_t>(level)]);
    // A box that refused the text keeps its level with what it shows.
    if (SUCCEEDED(shown)) settings_.setLevel(row.power, level);
  }
  cmdgo_Click(*this);
}

void MainWindow::ChooseSide(Side side) {
  const bool light = side == Side::Light;
  SendMessageW(Control(kOptlight), BM_SETCHECK, light ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(Control(kOptdark), BM_SETCHECK, light ? BST_UNCHECKED : BST_CHECKED, 0);
  MoveTabStopToSelectedOption();
  if (light)
    optlight_Click(*this);
  else
    optdark_Click(*this);
}

void MainWindow::ShowEditState() {
  const std::wstring points = PointsText(CountPoints(settings_, ChosenSide(*this).value_or(Side::Light)));
  // Neither text is worth failing for: a window that refused one keeps
  // what it showed, and the next change tries again.
  LOG_LAST_ERROR_IF(!shell::ShowWindowText(Control(kLblpoints), points));
  std::wstring caption(kMainWindowCaption);
  if (document_.IsOpen()) {
    caption += L" - ";
    caption += document_.FileName();
    if (HasChanges()) caption += L'*';
  }
  LOG_LAST_ERROR_IF(!shell::ShowWindowText(Window(), caption));
}

void MainWindow::mnuExit_Click() {
  if (!KeepOrSaveChanges()) return;
  about::UnloadAbout(windows_);
  DestroyWindow(Window());
}

// The close button, Alt+F4 and the system menu's Close: only the main window
// goes (an open About dialog keeps the program running).
void MainWindow::OnClose() {
  if (KeepOrSaveChanges()) DestroyWindow(Window());
}

// The end of the Windows session: while the question is open, Windows shows
// why Zenthra holds it up. False keeps the session going.
bool MainWindow::OnQueryEndSession() {
  if (!HasChanges()) return true;
  const std::wstring reason = L"Zenthra has unsaved changes to " + std::wstring(document_.FileName()) + L".";
  const bool blocking = ShutdownBlockReasonCreate(Window(), reason.c_str()) != FALSE;
  const bool goOn = KeepOrSaveChanges();
  if (blocking) ShutdownBlockReasonDestroy(Window());
  return goOn;
}

void MainWindow::mnuAbout_Click() {
  // The dialog reports its own failures; nothing to add here.
  about::ShowAbout(instance_, windows_);
}

// The window operations. The force rules give them no way to fail: a control
// that refuses a change keeps what it showed, which the user then sees.

HRESULT MainWindow::ShowOwnText(HWND box, std::wstring_view text) {
  const SettingTextOf setting(settingTextOf_, box);
  return level_box::ShowText(box, text);
}

std::wstring MainWindow::LevelText(ForcePower power) { return level_box::Text(LevelBox(power)); }

void MainWindow::SetLevelText(ForcePower power, std::wstring_view text) {
  HWND box = LevelBox(power);
  if (level_box::Text(box) == text) return;
  // The program's own WM_SETTEXT raises no CBN_EDITCHANGE, so the Change
  // handling runs here, nested, before this returns.
  const HRESULT shown = ShowOwnText(box, text);
  // Selected whole, so that the user's next key replaces the "00" of a
  // cleared box instead of being typed in front of it.
  SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  if (SUCCEEDED(shown)) levelBox_Change(*this, power);
}

bool MainWindow::OptlightSelected() { return IsChecked(Control(kOptlight)); }
bool MainWindow::OptdarkSelected() { return IsChecked(Control(kOptdark)); }

void MainWindow::ShowMessage(std::wstring_view text) {
  // What a rule has just changed shows behind the message; the window
  // stays disabled until OK.
  ShowEditState();
  windows_.ShowMessage(Window(), text);
}

void MainWindow::SetLevelEnabled(ForcePower power, bool enabled) { EnableWindow(LevelBox(power), enabled); }

void MainWindow::SetForceInfoText(std::wstring_view text) {
  const std::wstring line(text);
  SetWindowTextW(Control(kTxtforce), line.c_str());
}

std::wstring MainWindow::DecimalSeparator() {
  std::array<wchar_t, 8> separator{};  // at most four characters and the terminator
  const int length =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(), static_cast<int>(separator.size()));
  if (length <= 1) return L".";
  return std::wstring(separator.data(), static_cast<std::size_t>(length - 1));
}

}  // namespace zenthra::ui
