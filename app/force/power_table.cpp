#include "power_table.h"

#include <algorithm>

namespace zenthra {

namespace {

template <PowerGroup group>
constexpr auto collectMembers() {
  constexpr auto count = std::ranges::count(PowerTable, group, &PowerRow::group);
  std::array<ForcePower, count> members{};
  std::size_t next = 0;
  for (const PowerRow& row : PowerTable) {
    if (row.group == group) members[next++] = row.power;
  }
  return members;
}

constexpr auto kNeutralMembers = collectMembers<PowerGroup::Neutral>();
constexpr auto kLightMembers = collectMembers<PowerGroup::Light>();
constexpr auto kDarkMembers = collectMembers<PowerGroup::Dark>();
constexpr auto kOtherMembers = collectMembers<PowerGroup::Other>();

constexpr std::array<ForcePower, kPowerCount> sortByLinePosition() {
  std::array<ForcePower, kPowerCount> order{};
  for (const PowerRow& row : PowerTable) order[static_cast<std::size_t>(row.linePosition - 1)] = row.power;
  return order;
}

constexpr auto kLineOrder = sortByLinePosition();

}  // namespace

std::optional<ForcePower> powerOfBox(std::wstring_view boxName) {
  const auto row = std::ranges::find(PowerTable, boxName, &PowerRow::box);
  if (row == PowerTable.end()) return std::nullopt;
  return row->power;
}

std::span<const ForcePower> membersOf(PowerGroup group) {
  switch (group) {
    case PowerGroup::Neutral:
      return kNeutralMembers;
    case PowerGroup::Light:
      return kLightMembers;
    case PowerGroup::Dark:
      return kDarkMembers;
    case PowerGroup::Other:
      return kOtherMembers;
  }
  return {};
}

const std::array<ForcePower, kPowerCount>& powersInLineOrder() { return kLineOrder; }

}  // namespace zenthra
