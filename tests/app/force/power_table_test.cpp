#include "force/power_table.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

namespace zenthra {
namespace {

TEST(PowerTable, LinePositionsAreOneToEighteenEachOnce) {
  std::set<int> positions;
  for (const PowerRow& row : PowerTable) positions.insert(row.linePosition);
  ASSERT_EQ(positions.size(), kPowerCount);
  EXPECT_EQ(*positions.begin(), 1);
  EXPECT_EQ(*positions.rbegin(), 18);
}

}  // namespace
}  // namespace zenthra
