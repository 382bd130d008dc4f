#include "force/side_selection.h"

#include <gtest/gtest.h>

#include "fake_force_window.h"

namespace zenthra {
namespace {

using enum ForcePower;
using testing::FakeForceWindow;

void ExpectSideBoxes(const FakeForceWindow& window, PowerGroup enabledGroup, PowerGroup clearedGroup) {
  for (ForcePower power : MembersOf(enabledGroup)) EXPECT_TRUE(window.Enabled(power)) << IndexOf(power);
  for (ForcePower power : MembersOf(clearedGroup)) {
    EXPECT_FALSE(window.Enabled(power)) << IndexOf(power);
    EXPECT_EQ(window.text(power), L"00");
  }
}

// A switch clears and disables the boxes of the side it leaves, those only,
// and switching back restores none of the lost levels.
TEST(SideSelection, ASwitchClearsAndDisablesTheSideItLeavesForGood) {
  FakeForceWindow window;
  window.Pick(Absorb, L"03");
  window.Pick(Heal, L"02");
  window.Pick(Jump, L"03");
  window.ChooseDark();
  ExpectSideBoxes(window, PowerGroup::Dark, PowerGroup::Light);
  EXPECT_EQ(window.record.level(Absorb), 0);
  EXPECT_EQ(window.record.level(Heal), 0);
  EXPECT_EQ(window.record.level(Jump), 3);
  EXPECT_EQ(window.text(Jump), L"03");
  EXPECT_TRUE(window.Enabled(Jump));

  window.Pick(Grip, L"02");
  window.ChooseLight();
  ExpectSideBoxes(window, PowerGroup::Light, PowerGroup::Dark);
  EXPECT_EQ(window.text(Absorb), L"00");
  EXPECT_EQ(window.record.level(Absorb), 0);
  EXPECT_EQ(window.record.level(Grip), 0);
  EXPECT_TRUE(window.messages.empty());
}

TEST(SideSelection, ChoosingTheSelectedSideAgainChangesNothing) {
  FakeForceWindow window;
  window.Pick(Heal, L"03");
  const ForceSettings before = window.record;
  window.ChooseLight();
  EXPECT_EQ(window.record, before);
  ExpectSideBoxes(window, PowerGroup::Light, PowerGroup::Dark);
  EXPECT_EQ(window.text(Heal), L"03");
}

// A side switch disables the boxes it leaves before it clears them, so no
// cleared box can be changed by the user in between: on the way there and back.
TEST(SideSelection, BoxesAreDisabledBeforeTheyAreCleared) {
  FakeForceWindow window;
  window.Pick(Heal, L"02");
  for (const auto choose : {&FakeForceWindow::ChooseDark, &FakeForceWindow::ChooseLight}) {
    window.setWhileEnabled.clear();
    (window.*choose)();
    EXPECT_EQ(window.setWhileEnabled, std::vector<ForcePower>{});
  }
  ExpectSideBoxes(window, PowerGroup::Light, PowerGroup::Dark);
}

}  // namespace
}  // namespace zenthra
