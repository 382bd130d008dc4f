#include "force/force_info_line.h"

#include <gtest/gtest.h>

#include "fake_force_window.h"
#include "text/decimal_text.h"

namespace zenthra {
namespace {

using enum ForcePower;
using testing::FakeForceWindow;

const std::wstring kPrefix(kForceInfoPrefix);

// Go replaces whatever the box held, again and again: a fresh window is
// Light with eighteen zeros; with neither option selected the side is Dark.
TEST(ForceInfoLine, GoReplacesTheBoxWithTheWindowsLine) {
  FakeForceWindow window;
  window.forceInfo = L"anything the box held";
  for (const bool light : {true, true, false}) {
    window.optlight = light;
    window.optdark = false;
    cmdgo_Click(window);
    EXPECT_EQ(window.forceInfo, kPrefix + (light ? L"1-" : L"2-") + L"000000000000000000");
    EXPECT_EQ(window.record.side, light ? 1 : 2);
  }
}

using Edits = std::vector<std::pair<ForcePower, const wchar_t*>>;
const Edits kLightPicks = {{Jump, L"03"},        {Push, L"02"},        {Pull, L"01"},      {Speed, L"03"},
                           {See, L"01"},         {Heal, L"03"},        {Protect, L"02"},   {Mindtrick, L"01"},
                           {SaberAttack, L"02"}, {SaberDefend, L"01"}, {SaberThrow, L"01"}};
const Edits kDarkTyped = {{Jump, L"2"},        {Push, L"1"},        {Pull, L"1"},      {Speed, L"2"},
                          {Grip, L"3"},        {Lightning, L"3"},   {Drain, L"2"},     {Rage, L"1"},
                          {SaberAttack, L"2"}, {SaberDefend, L"2"}, {SaberThrow, L"1"}};

// The Light example is picked from the lists, the Dark one typed.
TEST(ForceInfoLine, WorkedExamplesThroughTheRules) {
  for (const auto& [dark, edits, line] :
       {std::tuple{false, &kLightPicks, L"1-333211000200001211"}, {true, &kDarkTyped, L"2-022110331000020221"}}) {
    SCOPED_TRACE(dark ? "Dark" : "Light");
    FakeForceWindow window;
    if (dark) window.ChooseDark();
    for (const auto& [power, text] : *edits) dark ? window.Type(power, text) : window.Pick(power, text);
    ASSERT_TRUE(window.messages.empty());
    cmdgo_Click(window);
    EXPECT_EQ(window.forceInfo, kPrefix + line);
    EXPECT_EQ(window.record.side, dark ? 2 : 1);
  }
}

TEST(ForceInfoLine, GoAfterSwitchingToDarkZeroesTheLightDigits) {
  FakeForceWindow window;
  window.Pick(Heal, L"03");
  window.Pick(Absorb, L"02");
  cmdgo_Click(window);
  EXPECT_EQ(window.forceInfo, kPrefix + L"1-300000000020000000");

  window.ChooseDark();
  cmdgo_Click(window);
  EXPECT_EQ(window.forceInfo, kPrefix + L"2-000000000000000000");
}

TEST(ForceInfoLine, LevelOutsideTheRangeIsWrittenInFull) {
  ForceSettings settings;
  settings.side = 1;
  const std::pair<ForcePower, std::int16_t> levels[] = {
      {Jump, 3},    {Push, 2},      {Pull, 1},        {Speed, 3},       {See, 1},        {Heal, 3},
      {Protect, 2}, {Mindtrick, 1}, {SaberAttack, 2}, {SaberDefend, 1}, {SaberThrow, 1}, {Absorb, -1}};
  for (const auto& [power, level] : levels) settings.setLevel(power, level);
  // Absorb's "-1" takes characters 31 and 32: TeamHeal moves from 32 to 33.
  EXPECT_EQ(ComposeForceInfoLine(settings), kPrefix + L"1-3332110002-10001211");
}

TEST(ForceInfoLine, ExtremeLevelsAndSideAreWrittenInShortestForm) {
  ForceSettings settings;
  settings.side = -32768;
  settings.setLevel(Heal, 32767);
  settings.setLevel(SaberThrow, -32768);
  settings.setLevel(Jump, 10);
  EXPECT_EQ(ComposeForceInfoLine(settings),
            kPrefix + L"-32768-" + L"32767" + L"10" + std::wstring(15, L'0') + L"-32768");
}

TEST(DecimalText, ShortestFormOfWholeNumbers) {
  EXPECT_EQ(common::DecimalText(0), L"0");
  EXPECT_EQ(common::DecimalText(7), L"7");
  EXPECT_EQ(common::DecimalText(-1), L"-1");
  EXPECT_EQ(common::DecimalText(1000), L"1000");
  EXPECT_EQ(common::DecimalText(INT64_MIN), L"-9223372036854775808");
  EXPECT_EQ(common::DecimalText(INT64_MAX), L"9223372036854775807");
}

}  // namespace
}  // namespace zenthra
