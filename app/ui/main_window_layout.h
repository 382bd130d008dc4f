#pragma once
// The stored layout of frmqel: every control with its place in twips, its tab
// index, caption and state at start. This table is the only source of
// positions; pixels come from it through shell::ToPixels alone.

#include <windows.h>

#include <array>
#include <optional>
#include <string_view>

#include "force/force_info_line.h"
#include "force/level_rules.h"
#include "force/power_table.h"
#include "shell/twips.h"
#include "shell/window_placement.h"

namespace zenthra::ui {

// The window frmqel: its window class and caption.
inline constexpr wchar_t kMainWindowClass[] = L"frmqel";
inline constexpr wchar_t kMainWindowCaption[] = L"Zenthra";
// Sizable, with system menu, minimize and maximize, and the menu bar.
inline constexpr shell::FrameStyle kMainWindowFrame{WS_OVERLAPPEDWINDOW, 0, true};

inline constexpr int kClientWidthTwips = 4800;
inline constexpr int kClientHeightTwips = 8490;

enum class ControlKind { Label, LevelBox, OptionButton, CommandButton, TextBox };
// How a label sets its text: on one line, left-aligned, cutting off what
// does not fit; wrapped at word boundaries within its box; or centred.
enum class LabelText { OneLine, Wraps, Centred };
enum class StartState { Enabled, Disabled, Selected };

struct ControlSpec {
  std::wstring_view name;
  ControlKind kind;
  shell::TwipsRect rect;
  int tabIndex;
  std::wstring_view caption;  // a level box's initial text
  StartState start = StartState::Enabled;
  LabelText text = LabelText::OneLine;
  std::optional<ForcePower> power{};  // a level box's power
};

inline constexpr int kLevelBoxWidth = 1215;
inline constexpr int kLevelBoxHeight = 315;
inline constexpr int kCaptionLabelHeight = 255;

// The four items of every level box's list, in this order, unsorted; the
// first is the clear text that every box shows at start.
inline constexpr std::array<std::wstring_view, 4> kLevelItems{kClearText, L"01", L"02", L"03"};

inline constexpr std::wstring_view kWelcomeText =
    L"Welcome To The Zenthra. Enter the desired values into the boxes below to generate your Bot's Force "
    L"Settings. Remeber, Bots can have a maximum of 20 Force Points";

namespace layout_rows {

// The window opens with Light chosen, so the Dark boxes start disabled.
constexpr ControlSpec LevelBox(ForcePower power, int left, int top, int tabIndex) {
  const PowerRow& row = RowOf(power);
  return {.name = row.box,
          .kind = ControlKind::LevelBox,
          .rect = {left, top, kLevelBoxWidth, kLevelBoxHeight},
          .tabIndex = tabIndex,
          .caption = kClearText,
          .start = row.group == PowerGroup::Dark ? StartState::Disabled : StartState::Enabled,
          .power = power};
}

constexpr ControlSpec CaptionLabel(ForcePower power, int left, int top, int width, int tabIndex) {
  const PowerRow& row = RowOf(power);
  return {.name = row.label,
          .kind = ControlKind::Label,
          .rect = {left, top, width, kCaptionLabelHeight},
          .tabIndex = tabIndex,
          .caption = row.caption};
}

}  // namespace layout_rows

// The points counter's text at start, with every level 0.
inline constexpr std::wstring_view kPointsAtStart = L"0 of 20 points";

inline constexpr int kControlCount = 44;

// frmqel's controls, rows of powers first, in ForcePower order. The points
// counter comes last, in the free row above Go, and never takes the focus.
inline constexpr std::array<ControlSpec, kControlCount> kMainWindowLayout = [] {
  using enum ForcePower;
  using layout_rows::CaptionLabel;
  using layout_rows::LevelBox;
  return std::array<ControlSpec, kControlCount>{{
      LevelBox(Jump, 2040, 1440, 2),
      CaptionLabel(Jump, 1440, 1440, 495, 3),
      LevelBox(Push, 2040, 1800, 4),
      CaptionLabel(Push, 1560, 1800, 375, 5),
      LevelBox(Pull, 2040, 2160, 6),
      CaptionLabel(Pull, 1680, 2160, 255, 7),
      LevelBox(Speed, 2040, 2520, 8),
      CaptionLabel(Speed, 1440, 2520, 495, 9),
      LevelBox(See, 2040, 2880, 10),
      CaptionLabel(See, 1680, 2880, 375, 11),
      LevelBox(Absorb, 840, 3600, 13),
      CaptionLabel(Absorb, 240, 3600, 495, 18),
      LevelBox(Heal, 840, 3960, 14),
      CaptionLabel(Heal, 360, 3960, 495, 17),
      LevelBox(Protect, 840, 4320, 15),
      CaptionLabel(Protect, 240, 4320, 615, 19),
      LevelBox(Mindtrick, 840, 4680, 16),
      CaptionLabel(Mindtrick, 120, 4680, 735, 20),
      LevelBox(Grip, 3480, 3600, 22),
      CaptionLabel(Grip, 3000, 3600, 375, 26),
      LevelBox(Lightning, 3480, 3960, 23),
      CaptionLabel(Lightning, 2640, 3960, 735, 25),
      LevelBox(Drain, 3480, 4320, 21),
      CaptionLabel(Drain, 3000, 4320, 375, 27),
      LevelBox(Rage, 3480, 4680, 24),
      CaptionLabel(Rage, 3000, 4680, 495, 28),
      LevelBox(SaberAttack, 2280, 5400, 29),
      CaptionLabel(SaberAttack, 1200, 5400, 975, 32),
      LevelBox(SaberDefend, 2280, 5760, 30),
      CaptionLabel(SaberDefend, 1200, 5760, 1095, 33),
      LevelBox(SaberThrow, 2280, 6120, 31),
      CaptionLabel(SaberThrow, 1200, 6120, 975, 34),
      LevelBox(TeamHeal, 2280, 6480, 37),
      CaptionLabel(TeamHeal, 1320, 6480, 855, 38),
      LevelBox(TeamForce, 2280, 6840, 36),
      CaptionLabel(TeamForce, 1320, 6840, 855, 39),
      {L"lbltop", ControlKind::Label, {120, 120, 4455, 855}, 42, kWelcomeText, StartState::Enabled, LabelText::Wraps},
      {L"Label1", ControlKind::Label, {2040, 1080, 615, 255}, 12, L"Neutral:"},
      {L"optlight", ControlKind::OptionButton, {0, 3240, 735, 255}, 0, L"Light", StartState::Selected},
      {L"optdark", ControlKind::OptionButton, {4080, 3240, 735, 255}, 1, L"Dark"},
      {L"lblOther", ControlKind::Label, {2280, 5040, 495, 255}, 35, L"Other:"},
      {L"cmdgo", ControlKind::CommandButton, {1680, 7680, 1695, 375}, 40, L"Go"},
      {L"txtforce", ControlKind::TextBox, {120, 8160, 4575, 285}, 41, kForceInfoPrompt},
      {L"lblpoints",
       ControlKind::Label,
       {1080, 7320, 2895, 255},
       43,
       kPointsAtStart,
       StartState::Enabled,
       LabelText::Centred},
  }};
}();

// Control identifiers: the layout index above this base. Clear of IDOK,
// IDCANCEL and the menu commands.
inline constexpr int kFirstControlId = 1000;

constexpr int ControlId(std::size_t layoutIndex) { return kFirstControlId + static_cast<int>(layoutIndex); }

// The layout index of the named control, if there is one.
constexpr std::optional<std::size_t> LayoutIndexOf(std::wstring_view name) {
  for (std::size_t i = 0; i < kMainWindowLayout.size(); ++i)
    if (kMainWindowLayout[i].name == name) return i;
  return std::nullopt;
}

// A control of frmqel by its identity: its row of kMainWindowLayout. Made
// from a name at compile time only, so that a name the table does not hold
// does not compile; or from a power, for its level box.
class MainControl {
 public:
  consteval MainControl(const wchar_t* name) : index_(Find(name)) {}
  static constexpr MainControl LevelBoxOf(ForcePower power) { return MainControl(kLevelBoxIndex[IndexOf(power)]); }
  constexpr std::size_t Index() const { return index_; }
  friend constexpr bool operator==(MainControl, MainControl) = default;

 private:
  constexpr explicit MainControl(std::size_t index) : index_(index) {}
  static consteval std::size_t Find(std::wstring_view name) {
    const auto index = LayoutIndexOf(name);
    if (!index) throw "frmqel has no control of this name";  // not a constant: does not compile
    return *index;
  }
  static constexpr std::array<std::size_t, kPowerCount> kLevelBoxIndex = [] {
    std::array<std::size_t, kPowerCount> indexes{};
    for (std::size_t i = 0; i < kMainWindowLayout.size(); ++i)
      if (const auto power = kMainWindowLayout[i].power) indexes[IndexOf(*power)] = i;
    return indexes;
  }();

  std::size_t index_;
};

// The controls that the window's code addresses by themselves.
inline constexpr MainControl kOptlight{L"optlight"};
inline constexpr MainControl kOptdark{L"optdark"};
inline constexpr MainControl kCmdgo{L"cmdgo"};
inline constexpr MainControl kTxtforce{L"txtforce"};
inline constexpr MainControl kLblpoints{L"lblpoints"};

constexpr bool TakesFocus(ControlKind kind) { return kind != ControlKind::Label; }

}  // namespace zenthra::ui
