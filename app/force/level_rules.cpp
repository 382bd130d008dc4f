#include "level_rules.h"

#include "number_reading.h"
#include "power_table.h"

namespace zenthra {

namespace {

// Setting "00" raises the box's Change, whose nested pass stores level 0
// before this returns.
void ClearBox(ForceWindow& window, ForcePower power) { window.SetLevelText(power, kClearText); }

void RejectEdit(ForceWindow& window, ForcePower power, std::wstring_view message) {
  ClearBox(window, power);
  window.ShowMessage(message);
}

std::wstring_view MessageFor(LevelReadError error) {
  if (error == LevelReadError::TooLarge) return kCapMessage;
  if (error == LevelReadError::TooSmall) return kBelowZeroMessage;
  return kNotANumberMessage;
}

}  // namespace

std::optional<Side> ChosenSide(ForceWindow& window) {
  if (window.OptlightSelected()) return Side::Light;
  if (window.OptdarkSelected()) return Side::Dark;
  return std::nullopt;
}

void ApplyLevelEdit(ForceWindow& window, ForcePower power, EditKind kind) {
  // A deleted text becomes "00" at once, without a message.
  if (window.LevelText(power).empty()) ClearBox(window, power);

  // Store the level that the box's text stands for. A text that is not a
  // number, or whose level cannot be held, is rejected before anything is
  // stored, so that the record never holds a level the box does not show.
  const std::wstring separator = window.DecimalSeparator();
  const LevelReading reading = ReadLevel(window.LevelText(power), separator);
  if (reading.error) {
    RejectEdit(window, power, MessageFor(*reading.error));
    return;
  }
  const auto side = ChosenSide(window);
  const int totalBefore = side ? SideTotal(window.Settings().levels, *side) : 0;
  window.Settings().setLevel(power, reading.level);

  // The 20-point budget of the chosen side, including the level just stored.
  // A total already over it (a bot opened for repair) may only go down: an
  // edit that does not raise it is kept, so that the user can mend it.
  if (side) {
    const int total = SideTotal(window.Settings().levels, *side);
    if (total > kBudgetLimit && total > totalBefore) RejectEdit(window, power, kBudgetMessage);
  }

  // A picked item is one of "00" to "03": only typed values meet the caps.
  // After a budget rejection the text here is "00" and passes.
  if (kind == EditKind::Click) return;
  const auto value = ReadRealValue(window.LevelText(power), separator);
  if (!value)
    RejectEdit(window, power, kNotANumberMessage);
  else if (*value > kLevelCap)
    RejectEdit(window, power, kCapMessage);
  else if (*value < 0.0)
    RejectEdit(window, power, kBelowZeroMessage);
}

}  // namespace zenthra
