// The same-controls floors' main window content: Zenthra's 44 controls,
// written out here from the main window's design (places in twips, window
// classes, styles, texts and start states) and made with the Windows API
// alone. No force rules, notifications, accessible names or clipping of
// the caption labels behind their boxes: only what the controls themselves
// cost.

#include <windows.h>

#include <commctrl.h>

#include <array>

#include "floor_window.h"

namespace floor_bench {

namespace {

enum class Kind {
  Label,             // one line, left-aligned, cut off where it does not fit
  WrappedLabel,      // wrapped at word boundaries
  CentredLabel,      // one line, centred
  LevelBox,          // a drop-down combo with the items 00 to 03, showing 00
  DisabledLevelBox,  // the same, disabled: the Dark side's boxes while Light is chosen
  FirstOption,       // an option button that starts a group, selected, with the tab stop
  Option,            // an option button in the group before it
  Button,
  InfoLine,  // a read-only edit line on the tooltip colours
};

struct FloorControl {
  Kind kind;
  const wchar_t* text;
  TwipsRect place;
};

constexpr int kBoxWidth = 1215;
constexpr int kBoxHeight = 315;
constexpr int kCaptionHeight = 255;

constexpr FloorControl Caption(const wchar_t* text, int left, int top, int width) {
  return {Kind::Label, text, {left, top, width, kCaptionHeight}};
}
constexpr FloorControl Box(int left, int top, Kind kind = Kind::LevelBox) {
  return {kind, nullptr, {left, top, kBoxWidth, kBoxHeight}};
}

// In creation order, which is the z-order and the Tab order: the controls
// that take the focus by tab index, each level box right after its caption
// label; then the other labels.
constexpr std::array<FloorControl, 44> kControls{{
    {Kind::FirstOption, L"Light", {0, 3240, 735, 255}},
    {Kind::Option, L"Dark", {4080, 3240, 735, 255}},
    Caption(L"Jump", 1440, 1440, 495),
    Box(2040, 1440),
    Caption(L"Push", 1560, 1800, 375),
    Box(2040, 1800),
    Caption(L"Pull", 1680, 2160, 255),
    Box(2040, 2160),
    Caption(L"Speed", 1440, 2520, 495),
    Box(2040, 2520),
    Caption(L"See", 1680, 2880, 375),
    Box(2040, 2880),
    Caption(L"Absorb", 240, 3600, 495),
    Box(840, 3600),
    Caption(L"Heal", 360, 3960, 495),
    Box(840, 3960),
    Caption(L"Protect", 240, 4320, 615),
    Box(840, 4320),
    Caption(L"Mindtrick", 120, 4680, 735),
    Box(840, 4680),
    Caption(L"Drain", 3000, 4320, 375),
    Box(3480, 4320, Kind::DisabledLevelBox),
    Caption(L"Grip", 3000, 3600, 375),
    Box(3480, 3600, Kind::DisabledLevelBox),
    Caption(L"Lightning", 2640, 3960, 735),
    Box(3480, 3960, Kind::DisabledLevelBox),
    Caption(L"Rage", 3000, 4680, 495),
    Box(3480, 4680, Kind::DisabledLevelBox),
    Caption(L"Saber Attack", 1200, 5400, 975),
    Box(2280, 5400),
    Caption(L"Saber Defend", 1200, 5760, 1095),
    Box(2280, 5760),
    Caption(L"Saber Throw", 1200, 6120, 975),
    Box(2280, 6120),
    Caption(L"Team Force", 1320, 6840, 855),
    Box(2280, 6840),
    Caption(L"Team Heal", 1320, 6480, 855),
    Box(2280, 6480),
    {Kind::Button, L"Go", {1680, 7680, 1695, 375}},
    {Kind::InfoLine, L"Force Info Will Display Here When You Hit The Go Button", {120, 8160, 4575, 285}},
    {Kind::Label, L"Neutral:", {2040, 1080, 615, 255}},
    {Kind::Label, L"Other:", {2280, 5040, 495, 255}},
    {Kind::WrappedLabel,
     L"Welcome To The Zenthra. Enter the desired values into the boxes below to generate your Bot's Force "
     L"Settings. Remeber, Bots can have a maximum of 20 Force Points",
     {120, 120, 4455, 855}},
    {Kind::CentredLabel, L"0 of 20 points", {1080, 7320, 2895, 255}},
}};

constexpr std::array<const wchar_t*, 4> kLevelItems{L"00", L"01", L"02", L"03"};

struct WindowKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

// Siblings clip each other; every control but the second option button
// starts a dialog group.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kLabel = kChild | WS_GROUP | SS_NOPREFIX;
constexpr DWORD kLevelBox = kChild | WS_GROUP | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;

constexpr WindowKind KindOf(Kind kind) {
  switch (kind) {
    case Kind::Label:
      return {WC_STATICW, kLabel | SS_LEFTNOWORDWRAP, 0};
    case Kind::WrappedLabel:
      return {WC_STATICW, kLabel | SS_LEFT, 0};
    case Kind::CentredLabel:
      return {WC_STATICW, kLabel | SS_CENTER, 0};
    case Kind::LevelBox:
      return {WC_COMBOBOXW, kLevelBox, 0};
    case Kind::DisabledLevelBox:
      return {WC_COMBOBOXW, kLevelBox | WS_DISABLED, 0};
    case Kind::FirstOption:
      return {WC_BUTTONW, kChild | WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case Kind::Option:
      return {WC_BUTTONW, kChild | BS_AUTORADIOBUTTON, 0};
    case Kind::Button:
      return {WC_BUTTONW, kChild | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::InfoLine:
      return {WC_EDITW, kChild | WS_GROUP | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, kChild, 0};
}

// A drop-down combo takes its closed height from its selection field, set
// by the font: the field is moved by the difference until the closed box
// has the place's height (the setter may add padding to what the getter
// reports, so each request corrects the last). The height the combo is
// given is its dropped height, with room for every item.
bool PlaceLevelBox(HWND box, const RECT& place, UINT dpi) {
  const int wanted = place.bottom - place.top;
  LRESULT requested = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (requested == CB_ERR) return false;
  for (int round = 0; round < 3; ++round) {
    RECT closed{};
    if (!GetWindowRect(box, &closed)) return false;
    const int difference = wanted - (closed.bottom - closed.top);
    if (difference == 0) break;
    requested += difference;
    if (SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested) == CB_ERR) return false;
  }
  const LRESULT item = SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
  if (item == CB_ERR) return false;
  const int dropped =
      wanted + static_cast<int>(item) * static_cast<int>(kLevelItems.size()) + 2 * SystemMetric(SM_CYBORDER, dpi);
  return SetWindowPos(box, nullptr, place.left, place.top, place.right - place.left, dropped,
                      SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool FillLevelBox(HWND box) {
  for (const wchar_t* item : kLevelItems) {
    const LRESULT added = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    if (added == CB_ERR || added == CB_ERRSPACE) return false;
  }
  // The selection first, which rewrites the field, then the field's text.
  SendMessageW(box, CB_SETCURSEL, 0, 0);
  return SetWindowTextW(box, kLevelItems[0]) != FALSE;
}

}  // namespace

bool FillWithControls(HINSTANCE instance, HWND window, UINT dpi, UniqueFont& font) {
  font = CreateLayoutFont(dpi);
  if (!font) return false;
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const FloorControl& entry = kControls[i];
    const WindowKind kind = KindOf(entry.kind);
    const bool levelBox = entry.kind == Kind::LevelBox || entry.kind == Kind::DisabledLevelBox;
    const int id = entry.kind == Kind::InfoLine ? kInfoLineId : 1000 + static_cast<int>(i);
    const RECT place = Pixels(entry.place, dpi);
    HWND control = CreateWindowExW(kind.exStyle, kind.windowClass, levelBox ? L"" : entry.text, kind.style, place.left,
                                   place.top, place.right - place.left, place.bottom - place.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!control) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    if (levelBox && (!FillLevelBox(control) || !PlaceLevelBox(control, place, dpi))) return false;
    if (entry.kind == Kind::FirstOption) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  }
  return true;
}

bool InitStandardControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace floor_bench
