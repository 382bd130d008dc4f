#pragma once
// The 18 force powers, their groups and the two sides.

#include <cstddef>
#include <cstdint>

namespace zenthra {

// Record order: the order of the levels in ForceSettings and of the rows of
// PowerTable, and the top-to-bottom order of the main window.
enum class ForcePower : std::uint8_t {
  Jump,
  Push,
  Pull,
  Speed,
  See,
  Absorb,
  Heal,
  Protect,
  Mindtrick,
  Grip,
  Lightning,
  Drain,
  Rage,
  SaberAttack,
  SaberDefend,
  SaberThrow,
  TeamHeal,
  TeamForce,
};

inline constexpr std::size_t kPowerCount = 18;

constexpr std::size_t IndexOf(ForcePower power) { return static_cast<std::size_t>(power); }

enum class PowerGroup : std::uint8_t { Neutral, Light, Dark, Other };

// The numbers are the side digit of the force info line.
enum class Side : std::int16_t { Light = 1, Dark = 2 };

}  // namespace zenthra
