#pragma once
// The main window's record of the 18 levels and of the side of the last Go.

#include <array>
#include <cstdint>

#include "force_power.h"

namespace zenthra {

// Plain record: nothing is clamped or validated here; the level rules decide
// what gets stored.
struct ForceSettings {
  std::array<std::int16_t, kPowerCount> levels{};  // in ForcePower order
  std::int16_t side = 0;                           // 1 Light, 2 Dark; 0 until the first Go

  constexpr std::int16_t level(ForcePower power) const { return levels[IndexOf(power)]; }
  constexpr void setLevel(ForcePower power, std::int16_t value) { levels[IndexOf(power)] = value; }

  friend constexpr bool operator==(const ForceSettings&, const ForceSettings&) = default;
};

}  // namespace zenthra
