#include "ui/main_window.h"

#include <windowsx.h>

#include <utility>

#include "about/about_dialog.h"
#include "force/force_info_line.h"
#include "force/level_rules.h"
#include "force/number_reading.h"
#include "force/power_table.h"
#include "force/side_selection.h"
#include "ui/app_identity.h"
#include "ui/control_factory.h"
#include "ui/dpi.h"
#include "ui/dpi_resources.h"
#include "ui/level_box.h"
#include "ui/resource_ids.h"
#include "ui/window_placement.h"

namespace zenthra::ui {

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW;  // sizable, system menu, minimize, maximize

// Layout index of each power's level box, in ForcePower order.
constexpr std::array<std::size_t, kPowerCount> kLevelBoxIndex = [] {
  std::array<std::size_t, kPowerCount> indexes{};
  for (const PowerRow& row : PowerTable) indexes[IndexOf(row.power)] = layoutIndexOf(row.box).value();
  return indexes;
}();

bool registerWindowClass(HINSTANCE instance, WNDPROC windowProc) {
  const std::wstring className(kMainWindowClass);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);  // shared system cursor
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
  windowClass.lpszClassName = className.c_str();
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool setStyleBit(HWND window, LONG_PTR bit, bool on) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
  if (wanted == style) return true;
  SetLastError(ERROR_SUCCESS);
  return SetWindowLongPtrW(window, GWL_STYLE, wanted) != 0 || GetLastError() == ERROR_SUCCESS;
}

bool isChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, ProgramWindows& windows) : instance_(instance), windows_(windows) {}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool MainWindow::create(int showCommand) {
  if (hwnd_ != nullptr) return false;  // the window exists at most once
  if (!registerWindowClass(instance_, &MainWindow::WndProc)) return false;

  const std::wstring className(kMainWindowClass);
  const std::wstring caption(kMainWindowCaption);
  // Sized and centred in WM_CREATE, once the window's DPI is known.
  if (CreateWindowExW(0, className.c_str(), caption.c_str(), kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, instance_, this) == nullptr) {
    return false;
  }
  ShowWindow(hwnd_, showCommand);  // returns the earlier visibility, not an error
  if (!UpdateWindow(hwnd_)) return false;
  // Activation has normally put the focus on optlight already. A window
  // started inactive gets it when first activated (WM_ACTIVATE), so a
  // refusal here is no failure.
  SetFocus(control(L"optlight"));
  return true;
}

HWND MainWindow::control(std::wstring_view name) const {
  const auto index = layoutIndexOf(name);
  return index ? controls_[*index] : nullptr;
}

HWND MainWindow::levelBox(ForcePower power) const { return controls_[kLevelBoxIndex[IndexOf(power)]]; }

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate() ? 0 : -1;
    case WM_COMMAND:
      onCommand(GET_WM_COMMAND_ID(wParam, lParam), GET_WM_COMMAND_CMD(wParam, lParam),
                GET_WM_COMMAND_HWND(wParam, lParam));
      return 0;
    case WM_DPICHANGED:
      onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return onCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      onActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_NCDESTROY: {
      HWND hwnd = hwnd_;
      onNcDestroy();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

bool MainWindow::onCreate() {
  windows_.add(hwnd_);
  settings_ = ForceSettings{};
  dpi_ = dpi::forWindow(hwnd_);

  ControlKind previous = ControlKind::Label;
  for (std::size_t index : creationOrder()) {
    const ControlSpec& entry = kMainWindowLayout[index];
    const bool joinsGroup = entry.kind == ControlKind::OptionButton && previous == ControlKind::OptionButton;
    controls_[index] = createControl(instance_, hwnd_, entry, controlId(index), dpi_, joinsGroup);
    if (controls_[index] == nullptr) return false;
    previous = entry.kind;
  }
  if (!applyDpi()) return false;
  focusWhenInactive_ = control(L"optlight");

  // Centred on the monitor's work area, with the client area of the layout.
  const SIZE client{toPixels(kClientWidthTwips, dpi_), toPixels(kClientHeightTwips, dpi_)};
  RECT frame{};
  if (!centredFrame(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), client, kFrameStyle, true, 0, dpi_, frame)) {
    return false;
  }
  return SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                      SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool MainWindow::applyDpi() {
  UniqueFont font = createLayoutFont(dpi_);
  if (!font) return false;
  for (HWND child : controls_) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  font_ = std::move(font);  // the old font goes only now that no control uses it
  if (!placeControls()) return false;
  // A window without its icon still works: the icons are not worth failing for.
  loadIcons();
  return InvalidateRect(hwnd_, nullptr, TRUE) != FALSE;
}

bool MainWindow::placeControls() {
  for (std::size_t index = 0; index < kMainWindowLayout.size(); ++index) {
    const ControlSpec& entry = kMainWindowLayout[index];
    const RECT rect = pixelRect(entry, dpi_);
    const bool placed = entry.kind == ControlKind::LevelBox
                            ? level_box::place(controls_[index], rect, dpi_)
                            : SetWindowPos(controls_[index], nullptr, rect.left, rect.top, rect.right - rect.left,
                                           rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
    if (!placed) return false;
  }
  return true;
}

bool MainWindow::loadIcons() {
  UniqueIcon big = loadAppIcon(instance_, SM_CXICON, dpi_);
  UniqueIcon small = loadAppIcon(instance_, SM_CXSMICON, dpi_);
  if (!big || !small) return false;
  // The window does not own icons given by WM_SETICON; the old ones are
  // released once the new ones are in place.
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
  return true;
}

void MainWindow::onDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  // Controls that could not follow keep their last places; the frame still
  // takes the size that Windows suggests for the new DPI.
  applyDpi();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::onCommand(int id, int code, HWND source) {
  if (id >= kFirstControlId && id < controlId(kMainWindowLayout.size()) && source != nullptr) {
    onControlNotification(static_cast<std::size_t>(id - kFirstControlId), code);
    return;
  }
  switch (id) {
    case IDM_EXIT:
      mnuExit_Click();
      return;
    case IDM_ABOUT:
      mnuAbout_Click();
      return;
    // Enter: Go is never the default button, but Enter on the focused Go
    // presses it like a click.
    case IDOK:
      if (GetFocus() == control(L"cmdgo")) cmdgo_Click(*this);
      return;
    default:
      return;
  }
}

void MainWindow::onControlNotification(std::size_t layoutIndex, int code) {
  const ControlSpec& entry = kMainWindowLayout[layoutIndex];
  HWND source = controls_[layoutIndex];
  switch (entry.kind) {
    case ControlKind::LevelBox:
      if (const auto power = PowerOfBox(entry.name)) onLevelBoxNotification(source, *power, code);
      return;
    case ControlKind::OptionButton:
      if (code != BN_CLICKED || !isChecked(source)) return;
      moveTabStopToSelectedOption();
      if (entry.name == L"optlight") optlight_Click(*this);
      if (entry.name == L"optdark") optdark_Click(*this);
      return;
    case ControlKind::CommandButton:
      if (code == BN_CLICKED) cmdgo_Click(*this);
      return;
    case ControlKind::Label:
    case ControlKind::TextBox:
      return;
  }
}

void MainWindow::onLevelBoxNotification(HWND box, ForcePower power, int code) {
  if (box == settingTextOf_) return;
  switch (code) {
    case CBN_EDITCHANGE:
      levelBox_Change(*this, power);
      return;
    case CBN_SELCHANGE: {
      // The edit field still shows the old text: show the picked item first,
      // without a Change pass, so that Click finds the picked text.
      const auto picked = level_box::pickedItem(box);
      if (!picked) return;
      settingTextOf_ = box;
      const bool shown = level_box::showText(box, *picked);
      settingTextOf_ = nullptr;
      if (shown) levelBox_Click(*this, power);
      return;
    }
    case CBN_CLOSEUP: {
      // Closing the list may put back an earlier text (Escape after arrowing
      // through the items) without any other notification: the record must
      // follow what the box shows.
      const LevelReading reading = ReadLevel(level_box::text(box), DecimalSeparator());
      if (reading.error || reading.level != settings_.level(power)) levelBox_Change(*this, power);
      return;
    }
    default:
      return;
  }
}

LRESULT MainWindow::onCtlColorStatic(HDC dc, HWND control) {
  // A read-only edit asks with WM_CTLCOLORSTATIC; txtforce draws on the
  // tooltip background colour, everything else on the defaults.
  if (control != this->control(L"txtforce") || SetBkColor(dc, GetSysColor(COLOR_INFOBK)) == CLR_INVALID ||
      SetTextColor(dc, GetSysColor(COLOR_INFOTEXT)) == CLR_INVALID) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));  // system brush, never freed
}

void MainWindow::onActivate(bool active) {
  // Like a dialog: the control that had the focus gets it back.
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) focusWhenInactive_ = focus;
    return;
  }
  if (focusWhenInactive_ != nullptr && IsWindow(focusWhenInactive_)) SetFocus(focusWhenInactive_);
}

void MainWindow::onNcDestroy() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  HWND hwnd = std::exchange(hwnd_, nullptr);
  controls_ = {};
  focusWhenInactive_ = nullptr;
  windows_.remove(hwnd);
}

void MainWindow::moveTabStopToSelectedOption() {
  for (std::wstring_view name : {std::wstring_view(L"optlight"), std::wstring_view(L"optdark")}) {
    HWND button = control(name);
    setStyleBit(button, WS_TABSTOP, isChecked(button));
  }
}

void MainWindow::mnuExit_Click() {
  about::UnloadAbout(windows_);
  DestroyWindow(hwnd_);
}

void MainWindow::mnuAbout_Click() {
  // The dialog reports its own failures; nothing to add here.
  about::ShowAbout(instance_, windows_);
}

// The window operations. The force rules give them no way to fail: a control
// that refuses a change keeps what it showed, which the user then sees.

std::wstring MainWindow::LevelText(ForcePower power) { return level_box::text(levelBox(power)); }

void MainWindow::SetLevelText(ForcePower power, std::wstring_view text) {
  HWND box = levelBox(power);
  if (level_box::text(box) == text) return;
  // The program's own WM_SETTEXT raises no CBN_EDITCHANGE, so the Change
  // handling runs here, nested, before this returns.
  settingTextOf_ = box;
  const bool shown = level_box::showText(box, text);
  settingTextOf_ = nullptr;
  // Selected whole, so that the user's next key replaces the "00" of a
  // cleared box instead of being typed in front of it.
  SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  if (shown) levelBox_Change(*this, power);
}

bool MainWindow::OptlightSelected() { return isChecked(control(L"optlight")); }
bool MainWindow::OptdarkSelected() { return isChecked(control(L"optdark")); }

void MainWindow::ShowMessage(std::wstring_view text) {
  // The rule has already cleared the box; the window stays disabled until OK.
  windows_.ShowMessage(hwnd_, text);
}

void MainWindow::SetLevelEnabled(ForcePower power, bool enabled) { EnableWindow(levelBox(power), enabled); }

void MainWindow::SetForceInfoText(std::wstring_view text) {
  const std::wstring line(text);
  SetWindowTextW(control(L"txtforce"), line.c_str());
}

std::wstring MainWindow::DecimalSeparator() {
  std::array<wchar_t, 8> separator{};  // at most four characters and the terminator
  const int length =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(), static_cast<int>(separator.size()));
  if (length <= 1) return L".";
  return std::wstring(separator.data(), static_cast<std::size_t>(length - 1));
}

}  // namespace zenthra::ui
