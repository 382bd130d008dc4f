#include "side_selection.h"

#include "level_rules.h"
#include "power_table.h"

namespace zenthra {

namespace {

// Both switches set the Dark boxes' state first, then the Light boxes', then
// clear the side that was left; the clears run the boxes' Change handling,
// which stores level 0 for each, also though the box is disabled by then.
void ChooseSide(ForceWindow& window, Side side) {
  const bool dark = side == Side::Dark;
  for (ForcePower power : MembersOf(PowerGroup::Dark)) window.SetLevelEnabled(power, dark);
  for (ForcePower power : MembersOf(PowerGroup::Light)) window.SetLevelEnabled(power, !dark);
  for (ForcePower power : MembersOf(dark ? PowerGroup::Light : PowerGroup::Dark))
    window.SetLevelText(power, kClearText);
}

}  // namespace

void optlight_Click(ForceWindow& window) { ChooseSide(window, Side::Light); }
void optdark_Click(ForceWindow& window) { ChooseSide(window, Side::Dark); }

}  // namespace zenthra
