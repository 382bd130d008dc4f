#include "power_table.h"

#include <algorithm>

namespace zenthra {

namespace {

template <PowerGroup group>
constexpr auto CollectMembers() {
  constexpr auto count = std::ranges::count(PowerTable, group, &PowerRow::group);
  std::array<ForcePower, count> members{};
  std::size_t next = 0;
  for (const PowerRow& row : PowerTable)
    if (row.group == group) members[next++] = row.power;
  return members;
}

constexpr auto kNeutralMembers = CollectMembers<PowerGroup::Neutral>();
constexpr auto kLightMembers = CollectMembers<PowerGroup::Light>();
constexpr auto kDarkMembers = CollectMembers<PowerGroup::Dark>();
constexpr auto kOtherMembers = CollectMembers<PowerGroup::Other>();

constexpr std::array<ForcePower, kPowerCount> SortByLinePosition() {
  std::array<ForcePower, kPowerCount> order{};
  for (const PowerRow& row : PowerTable) order[static_cast<std::size_t>(row.linePosition - 1)] = row.power;
  return order;
}

constexpr auto kLineOrder = SortByLinePosition();

}  // namespace

std::optional<ForcePower> PowerOfBox(std::wstring_view boxName) {
  const auto row = std::ranges::find(PowerTable, boxName, &PowerRow::box);
  if (row == PowerTable.end()) return std::nullopt;
  return row->power;
}

std::span<const ForcePower> MembersOf(PowerGroup group) {
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

const std::array<ForcePower, kPowerCount>& PowersInLineOrder() { return kLineOrder; }

}  // namespace zenthra
