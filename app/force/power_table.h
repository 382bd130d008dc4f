#pragma once
// The constant facts about each force power and the look-ups over them.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "force_power.h"

namespace zenthra {

struct PowerRow {
  ForcePower power;
  std::wstring_view box;      // level combo box control name
  std::wstring_view label;    // caption label control name
  std::wstring_view caption;  // caption label text
  PowerGroup group;
  int linePosition;  // 1-based place of the level among the line's 18 digits
};

// One row per power, in ForcePower order.
inline constexpr std::array<PowerRow, kPowerCount> PowerTable{{
    {ForcePower::Jump, L"cbjump", L"lbljump", L"Jump", PowerGroup::Neutral, 2},
    {ForcePower::Push, L"cbpush", L"lblpush", L"Push", PowerGroup::Neutral, 4},
    {ForcePower::Pull, L"cbpull", L"lblpull", L"Pull", PowerGroup::Neutral, 5},
    {ForcePower::Speed, L"cbspeed", L"lblspeed", L"Speed", PowerGroup::Neutral, 3},
    {ForcePower::See, L"cbsee", L"lblsee", L"See", PowerGroup::Neutral, 15},
    {ForcePower::Absorb, L"cbabsorb", L"lblabsorb", L"Absorb", PowerGroup::Light, 11},
    {ForcePower::Heal, L"cbheal", L"lblheal", L"Heal", PowerGroup::Light, 1},
    {ForcePower::Protect, L"cbprotect", L"lblprotect", L"Protect", PowerGroup::Light, 10},
    {ForcePower::Mindtrick, L"cbmindtrick", L"lblmindtrick", L"Mindtrick", PowerGroup::Light, 6},
    {ForcePower::Grip, L"cbgrip", L"lblgrip", L"Grip", PowerGroup::Dark, 7},
    {ForcePower::Lightning, L"cblightning", L"lbllightning", L"Lightning", PowerGroup::Dark, 8},
    {ForcePower::Drain, L"cbdrain", L"lbldrain", L"Drain", PowerGroup::Dark, 14},
    {ForcePower::Rage, L"cbrage", L"lblrage", L"Rage", PowerGroup::Dark, 9},
    {ForcePower::SaberAttack, L"cbsaberattack", L"lblsaberattack", L"Saber Attack", PowerGroup::Other, 16},
    {ForcePower::SaberDefend, L"cbsaberdefend", L"lblsaberdefend", L"Saber Defend", PowerGroup::Other, 17},
    {ForcePower::SaberThrow, L"cbsaberthrow", L"lblsaberthrower", L"Saber Throw", PowerGroup::Other, 18},
    {ForcePower::TeamHeal, L"cbteamheal", L"lblteamheal", L"Team Heal", PowerGroup::Other, 12},
    {ForcePower::TeamForce, L"cbteamforce", L"lblteamforce", L"Team Force", PowerGroup::Other, 13},
}};

constexpr const PowerRow& RowOf(ForcePower power) { return PowerTable[IndexOf(power)]; }

// The power whose level box has this control name, if any.
std::optional<ForcePower> PowerOfBox(std::wstring_view boxName);

// The members of a group, in ForcePower order.
std::span<const ForcePower> MembersOf(PowerGroup group);

// The 18 powers ordered by linePosition.
const std::array<ForcePower, kPowerCount>& PowersInLineOrder();

// Whether the power's level counts toward the given side's 20-point total.
constexpr bool inBudget(ForcePower power, Side side) {
  switch (RowOf(power).group) {
    case PowerGroup::Neutral:
    case PowerGroup::Other:
      return true;
    case PowerGroup::Light:
      return side == Side::Light;
    case PowerGroup::Dark:
      return side == Side::Dark;
  }
  return false;
}

// A side's total: the sum of the levels that count toward it, in ForcePower
// order. Summed in int: 18 levels of 16 bits cannot leave its range.
constexpr int SideTotal(const std::array<std::int16_t, kPowerCount>& levels, Side side) {
  int total = 0;
  for (const PowerRow& row : PowerTable)
    if (inBudget(row.power, side)) total += levels[IndexOf(row.power)];
  return total;
}

}  // namespace zenthra
