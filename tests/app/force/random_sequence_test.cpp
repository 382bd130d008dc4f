// Long seeded runs of random user actions; after every action the window and
// the record must still agree and keep the rules.

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "force_invariants.h"

namespace zenthra {
namespace {

using testing::brokenInvariant;
using testing::brokenLine;
using testing::FakeForceWindow;

constexpr std::array<const wchar_t*, 28> kTypedTexts{
    L"0",    L"1", L"2", L"3",   L"00", L"03", L"2.5", L"3.5",   L"0.5", L"3.2", L"4",     L"9",      L"25",    L"-1",
    L"-0.4", L"",  L" ", L"abc", L"-",  L"+",  L"1e0", L"0.3e1", L" 2 ", L"1,5", L"40000", L"-40000", L"1e999", L"."};
constexpr std::array<const wchar_t*, 4> kItems{L"00", L"01", L"02", L"03"};
constexpr std::wstring_view kRandomChars = L"0123456789-+.,e ";

std::wstring RandomText(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> length(0, 5);
  std::uniform_int_distribution<std::size_t> PickChar(0, kRandomChars.size() - 1);
  std::wstring text;
  for (std::size_t n = length(random); n > 0; --n) text += kRandomChars[PickChar(random)];
  return text;
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
      if (!window.Enabled(power)) continue;  // a disabled box takes no typing
      const std::wstring text = roll < 30 ? kTypedTexts[anyTyped(random)] : RandomText(random);
      if (text == window.text(power)) continue;  // typing always changes the text
      what = "type";
      window.Type(power, text);
    } else if (roll < 80) {
      if (!window.Enabled(power)) continue;
      what = "pick";
      window.Pick(power, kItems[anyItem(random)]);
    } else if (roll < 90) {
      what = "side";
      if (roll % 2 == 0)
        window.ChooseLight();
      else
        window.ChooseDark();
    } else {
      what = "go";
      cmdgo_Click(window);
      ASSERT_EQ(brokenLine(window), "") << "step " << step;
    }
    ASSERT_EQ(brokenInvariant(window), "") << "step " << step << " " << what;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomSequence, ::testing::Range(1u, 9u));

}  // namespace
}  // namespace zenthra
