#include "level_rules.h"

#include "number_reading.h"
#include "power_table.h"

namespace zenthra {

namespace {

// Setting "00" raises the box's Change, whose nested pass stores level 0
// before this returns.
void clearBox(ForceWindow& window, ForcePower power) { window.setLevelText(power, kClearText); }

void rejectEdit(ForceWindow& window, ForcePower power, std::wstring_view message) {
  clearBox(window, power);
  window.showMessage(message);
}

std::wstring_view messageFor(LevelReadError error) {
  switch (error) {
    case LevelReadError::NotANumber:
      return kNotANumberMessage;
    case LevelReadError::TooLarge:
      return kCapMessage;
    case LevelReadError::TooSmall:
      return kBelowZeroMessage;
  }
  return kNotANumberMessage;
}

// Summed in int: 14 levels of 16 bits cannot leave its range.
int sideTotal(const ForceSettings& settings, Side side) {
  int total = 0;
  for (const PowerRow& row : PowerTable) {
    if (inBudget(row.power, side)) total += settings.level(row.power);
  }
  return total;
}

}  // namespace

std::optional<Side> chosenSide(ForceWindow& window) {
  if (window.optlightSelected()) return Side::Light;
  if (window.optdarkSelected()) return Side::Dark;
  return std::nullopt;
}

void ApplyLevelEdit(ForceWindow& window, ForcePower power, EditKind kind) {
  // A deleted text becomes "00" at once, without a message.
  if (window.levelText(power).empty()) clearBox(window, power);

  // Store the level that the box's text stands for. A text that is not a
  // number, or whose level cannot be held, is rejected before anything is
  // stored, so that the record never holds a level the box does not show.
  const std::wstring separator = window.decimalSeparator();
  const LevelReading reading = readLevel(window.levelText(power), separator);
  if (reading.error) {
    rejectEdit(window, power, messageFor(*reading.error));
    return;
  }
  window.settings().setLevel(power, reading.level);

  // The 20-point budget of the chosen side, including the level just stored.
  if (const auto side = chosenSide(window); side && sideTotal(window.settings(), *side) > kBudgetLimit) {
    rejectEdit(window, power, kBudgetMessage);
  }

  // A picked item is one of "00" to "03": only typed values meet the caps.
  // After a budget rejection the text here is "00" and passes.
  if (kind == EditKind::Click) return;
  const auto value = readRealValue(window.levelText(power), separator);
  if (!value) {
    rejectEdit(window, power, kNotANumberMessage);
  } else if (*value > kLevelCap) {
    rejectEdit(window, power, kCapMessage);
  } else if (*value < 0.0) {
    rejectEdit(window, power, kBelowZeroMessage);
  }
}

}  // namespace zenthra
