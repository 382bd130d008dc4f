#include "force/power_table.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "force/force_settings.h"

namespace zenthra {
namespace {

using enum ForcePower;

TEST(PowerTable, RowsFollowRecordOrder) {
  for (std::size_t i = 0; i < kPowerCount; ++i) EXPECT_EQ(IndexOf(PowerTable[i].power), i);
}

TEST(PowerTable, LinePositionsAreOneToEighteenEachOnce) {
  std::set<int> positions;
  for (const PowerRow& row : PowerTable) positions.insert(row.linePosition);
  ASSERT_EQ(positions.size(), kPowerCount);
  EXPECT_EQ(*positions.begin(), 1);
  EXPECT_EQ(*positions.rbegin(), 18);
}

TEST(PowerTable, LineOrderRunsFromHealToSaberThrow) {
  const std::array<ForcePower, kPowerCount> expected{Heal,      Jump,      Speed, Push,        Pull,        Mindtrick,
                                                     Grip,      Lightning, Rage,  Protect,     Absorb,      TeamHeal,
                                                     TeamForce, Drain,     See,   SaberAttack, SaberDefend, SaberThrow};
  EXPECT_EQ(PowersInLineOrder(), expected);
}

TEST(PowerTable, SaberThrowLabelHasTheLongerName) {
  EXPECT_EQ(RowOf(SaberThrow).box, L"cbsaberthrow");
  EXPECT_EQ(RowOf(SaberThrow).label, L"lblsaberthrower");
  EXPECT_EQ(RowOf(SaberThrow).caption, L"Saber Throw");
}

TEST(PowerTable, BoxNamesLeadBackToTheirPower) {
  for (const PowerRow& row : PowerTable) EXPECT_EQ(PowerOfBox(row.box), row.power);
  EXPECT_EQ(PowerOfBox(L"lbljump"), std::nullopt);
  EXPECT_EQ(PowerOfBox(L"CBJUMP"), std::nullopt);
  EXPECT_EQ(PowerOfBox(L""), std::nullopt);
}

TEST(PowerTable, GroupMembersInRecordOrder) {
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Light), std::array{Absorb, Heal, Protect, Mindtrick}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Dark), std::array{Grip, Lightning, Drain, Rage}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Neutral), std::array{Jump, Push, Pull, Speed, See}));
  EXPECT_TRUE(std::ranges::equal(MembersOf(PowerGroup::Other),
                                 std::array{SaberAttack, SaberDefend, SaberThrow, TeamHeal, TeamForce}));
}

TEST(InBudget, SideGroupsCountOnlyForTheirOwnSide) {
  EXPECT_FALSE(inBudget(Grip, Side::Light));
  EXPECT_FALSE(inBudget(Absorb, Side::Dark));
  EXPECT_TRUE(inBudget(Grip, Side::Dark));
  EXPECT_TRUE(inBudget(Absorb, Side::Light));
}

TEST(InBudget, NeutralAndOtherCountForBothSidesAndEachSideHasFourteen) {
  for (Side side : {Side::Light, Side::Dark}) {
    int counted = 0;
    for (const PowerRow& row : PowerTable) {
      if (row.group == PowerGroup::Neutral || row.group == PowerGroup::Other) {
        EXPECT_TRUE(inBudget(row.power, side));
      }
      counted += inBudget(row.power, side) ? 1 : 0;
    }
    EXPECT_EQ(counted, 14);
  }
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
