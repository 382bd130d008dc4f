#pragma once
// What becomes of every edit of a level box: store, 20-point budget, caps.

#include <optional>

#include "force_power.h"
#include "force_window.h"

namespace zenthra {

// Change: the box's text changed (typed, or set by the program).
// Click: the user picked an item of the box's list.
enum class EditKind { Change, Click };

inline constexpr std::wstring_view kClearText = L"00";
inline constexpr int kBudgetLimit = 20;
inline constexpr double kLevelCap = 3.0;

inline constexpr std::wstring_view kBudgetMessage = L"Error, You Can Only Have A Maximum Of 20 Force Points";
inline constexpr std::wstring_view kCapMessage = L"Cannot exceed 3 points!";
inline constexpr std::wstring_view kBelowZeroMessage = L"Cannot go below 0 points!";
inline constexpr std::wstring_view kNotANumberMessage = L"Only numbers from 0 to 3 are allowed!";

// Applies one edit of the power's box to the window's record. Clearing the box
// re-enters this for the same power through the window's nested Change.
void ApplyLevelEdit(ForceWindow& window, ForcePower power, EditKind kind);

// The Change and Click handlers of all 18 level boxes, keyed by the box's power.
inline void levelBox_Change(ForceWindow& window, ForcePower power) { ApplyLevelEdit(window, power, EditKind::Change); }
inline void levelBox_Click(ForceWindow& window, ForcePower power) { ApplyLevelEdit(window, power, EditKind::Click); }

// The chosen side as the option buttons show it; none when neither is selected.
std::optional<Side> ChosenSide(ForceWindow& window);

}  // namespace zenthra
