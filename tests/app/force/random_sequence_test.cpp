// Long seeded runs of random user actions; after every action the window and
// the record must still agree and keep the rules.

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "fake_force_window.h"
#include "force/force_info_line.h"
#include "force/number_reading.h"

namespace zenthra {
namespace {

using testing::FakeForceWindow;

constexpr std::array<const wchar_t*, 28> kTypedTexts{
    L"0", L"1", L"2", L"3", L"00", L"03", L"2.5", L"3.5", L"0.5", L"3.2", L"4", L"9", L"25", L"-1",
    L"-0.4", L"", L" ", L"abc", L"-", L"+", L"1e0", L"0.3e1", L" 2 ", L"1,5", L"40000", L"-40000", L"1e999", L"."};
constexpr std::array<const wchar_t*, 4> kItems{L"00", L"01", L"02", L"03"};
constexpr std::wstring_view kRandomChars = L"0123456789-+.,e ";

std::wstring randomText(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> length(0, 5);
  std::uniform_int_distribution<std::size_t> pickChar(0, kRandomChars.size() - 1);
  std::wstring text;
  for (std::size_t n = length(random); n > 0; --n) text += kRandomChars[pickChar(random)];
  return text;
}

void checkInvariants(FakeForceWindow& window, const std::string& step) {
  SCOPED_TRACE(step);
  const Side side = window.optlight ? Side::Light : Side::Dark;
  int total = 0;
  for (const PowerRow& row : PowerTable) {
    const std::int16_t level = window.record.level(row.power);
    ASSERT_GE(level, 0);
    ASSERT_LE(level, 3);
    if (inBudget(row.power, side)) total += level;
    const LevelReading reading = readLevel(window.text(row.power), window.separator);
    ASSERT_FALSE(reading.error);
    ASSERT_EQ(reading.level, level);
    if (!window.enabled(row.power)) {
      ASSERT_EQ(window.text(row.power), L"00");
    }
  }
  ASSERT_LE(total, 20);
  ASSERT_LE(window.maxDepth, 1);
}

void checkLine(FakeForceWindow& window) {
  const std::wstring& line = window.forceInfo;
  ASSERT_EQ(line.size(), 38u);
  ASSERT_EQ(line.substr(0, 18), kForceInfoPrefix);
  ASSERT_EQ(line[18], window.optlight ? L'1' : L'2');
  ASSERT_EQ(line[19], L'-');
  for (const PowerRow& row : PowerTable) {
    ASSERT_EQ(line[static_cast<std::size_t>(19 + row.linePosition)], L'0' + window.record.level(row.power));
  }
}

class RandomSequence : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomSequence, EveryActionKeepsTheRules) {
  std::mt19937 random(GetParam());
  FakeForceWindow window;
  if (GetParam() % 2 == 1) window.separator = L",";

  std::uniform_int_distribution<int> action(0, 99);
  std::uniform_int_distribution<std::size_t> anyPower(0, kPowerCount - 1);
  std::uniform_int_distribution<std::size_t> anyTyped(0, kTypedTexts.size() - 1);
  std::uniform_int_distribution<std::size_t> anyItem(0, kItems.size() - 1);

  for (int step = 0; step < 3000; ++step) {
    const ForcePower power = PowerTable[anyPower(random)].power;
    const int roll = action(random);
    std::string what;
    if (roll < 40) {
      if (!window.enabled(power)) continue;  // a disabled box takes no typing
      const std::wstring text = roll < 30 ? kTypedTexts[anyTyped(random)] : randomText(random);
      if (text == window.text(power)) continue;  // typing always changes the text
      what = "type";
      window.type(power, text);
    } else if (roll < 80) {
      if (!window.enabled(power)) continue;
      what = "pick";
      window.pick(power, kItems[anyItem(random)]);
    } else if (roll < 90) {
      what = "side";
      if (roll % 2 == 0) window.chooseLight(); else window.chooseDark();
    } else {
      what = "go";
      cmdgo_Click(window);
      checkLine(window);
    }
    checkInvariants(window, "step " + std::to_string(step) + " " + what);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSequence, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace zenthra
