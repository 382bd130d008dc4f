#include "force/power_table.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include <gtest/gtest.h>

#include "force/force_settings.h"

namespace zenthra {
namespace {

using enum ForcePower;

// Each row sits at its power's index, and the controls are named after the
// caption: "cb" or "lbl" and the caption in lower case without blanks, but
// for the one label saved with a longer name. Names lead back to the power.
TEST(PowerTable, EachPowerHasOneRowWithControlsNamedAfterItsCaption) {
  for (std::size_t i = 0; i < kPowerCount; ++i) {
    const PowerRow& row = PowerTable[i];
    EXPECT_EQ(IndexOf(row.power), i);
    std::wstring name;
    for (wchar_t c : row.caption)
      if (c != L' ') name += static_cast<wchar_t>(towlower(c));
    EXPECT_EQ(row.box, L"cb" + name);
    EXPECT_EQ(row.label, L"lbl" + name + (row.power == SaberThrow ? L"er" : L""));
    EXPECT_EQ(PowerOfBox(row.box), row.power);
  }
  for (const wchar_t* other : {L"lbljump", L"CBJUMP", L"", L"cbsaberthrower"})
    EXPECT_EQ(PowerOfBox(other), std::nullopt) << other;
}

TEST(PowerTable, LineOrderRunsFromHealToSaberThrow) {
  const std::array<ForcePower, kPowerCount> expected{Heal,      Jump,      Speed, Push,        Pull,        Mindtrick,
                                                     Grip,      Lightning, Rage,  Protect,     Absorb,      TeamHeal,
                                                     TeamForce, Drain,     See,   SaberAttack, SaberDefend, SaberThrow};
  EXPECT_EQ(PowersInLineOrder(), expected);
}

TEST(PowerTable, GroupMembersInRecordOrder) {
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Light), std::array{Absorb, Heal, Protect, Mindtrick}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Dark), std::array{Grip, Lightning, Drain, Rage}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Neutral), std::array{Jump, Push, Pull, Speed, See}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Other),
                                 std::array{SaberAttack, SaberDefend, SaberThrow, TeamHeal, TeamForce}));
}

// Neutral and Other count for both sides, Light and Dark for their own
// only: 14 powers count for each side.
TEST(InBudget, EachSideCountsItsOwnGroupAndTheSharedOnes) {
  std::array<int, 2> counted{};
  for (const PowerRow& row : PowerTable) {
    const bool light = inBudget(row.power, Side::Light), dark = inBudget(row.power, Side::Dark);
    EXPECT_EQ(light, row.group != PowerGroup::Dark) << IndexOf(row.power);
    EXPECT_EQ(dark, row.group != PowerGroup::Light) << IndexOf(row.power);
    counted[0] += light;
    counted[1] += dark;
  }
  EXPECT_EQ(counted, (std::array{14, 14}));
}

TEST(ForceSettings, StartsAtZeroAndStoresAnyLevelUnclamped) {
  ForceSettings settings;
  for (const PowerRow& row : PowerTable) EXPECT_EQ(settings.level(row.power), 0);
  EXPECT_EQ(settings.side, 0);

  settings.setLevel(Push, -1);
  settings.setLevel(Rage, 7);
  EXPECT_EQ(settings.level(Push), -1);
  EXPECT_EQ(settings.level(Rage), 7);
  EXPECT_EQ(settings.level(Pull), 0);
}

}  // namespace
}  // namespace zenthra
