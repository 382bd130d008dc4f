#include "side_selection.h"

#include "level_rules.h"
#include "power_table.h"

namespace zenthra {

namespace {

// Both switches set the Dark boxes' state first, then the Light boxes', then
// clear the side that was left; the clears run the boxes' Change handling,
// which stores level 0 for each, also though the box is disabled by then.
void chooseSide(ForceWindow& window, Side side) {
  const bool dark = side == Side::Dark;
  for (ForcePower power : membersOf(PowerGroup::Dark)) window.setLevelEnabled(power, dark);
  for (ForcePower power : membersOf(PowerGroup::Light)) window.setLevelEnabled(power, !dark);
  for (ForcePower power : membersOf(dark ? PowerGroup::Light : PowerGroup::Dark)) {
    window.setLevelText(power, kClearText);
  }
}

}  // namespace

void optlight_Click(ForceWindow& window) { chooseSide(window, Side::Light); }
void optdark_Click(ForceWindow& window) { chooseSide(window, Side::Dark); }

}  // namespace zenthra
