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

TEST(SideSelection, DarkClearsAndDisablesTheLightBoxesOnly) {
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
  EXPECT_TRUE(window.messages.empty());
}

TEST(SideSelection, SwitchingBackDoesNotRestoreTheLostLevels) {
  FakeForceWindow window;
  window.Pick(Absorb, L"03");
  window.ChooseDark();
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

TEST(SideSelection, BoxesAreDisabledBeforeTheyAreClearedDarkFirst) {
  FakeForceWindow window;
  window.Pick(Heal, L"02");
  window.log.clear();
  window.ChooseDark();
  const std::vector<std::wstring> expected{L"enable cbgrip",     L"enable cblightning",  L"enable cbdrain",
                                           L"enable cbrage",     L"disable cbabsorb",    L"disable cbheal",
                                           L"disable cbprotect", L"disable cbmindtrick", L"text cbabsorb 00",
                                           L"text cbheal 00",    L"text cbprotect 00",   L"text cbmindtrick 00"};
  EXPECT_EQ(window.log, expected);

  window.log.clear();
  window.ChooseLight();
  EXPECT_EQ(window.log.front(), L"disable cbgrip");
  EXPECT_EQ(window.log[4], L"enable cbabsorb");
  EXPECT_EQ(window.log.back(), L"text cbrage 00");
}

}  // namespace
}  // namespace zenthra
