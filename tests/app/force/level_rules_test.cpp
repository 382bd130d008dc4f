#include "force/level_rules.h"

#include <gtest/gtest.h>

#include "fake_force_window.h"

namespace zenthra {
namespace {

using enum ForcePower;
using testing::FakeForceWindow;
using Messages = std::vector<std::wstring>;

const std::wstring kBudget(kBudgetMessage);
const std::wstring kCap(kCapMessage);
const std::wstring kBelowZero(kBelowZeroMessage);
const std::wstring kNotANumber(kNotANumberMessage);

// The box shows "00", the record holds 0 for it.
void ExpectCleared(FakeForceWindow& window, ForcePower power) {
  EXPECT_EQ(window.text(power), L"00");
  EXPECT_EQ(window.record.level(power), 0);
}

TEST(LevelEdit, AcceptedTextsStoreTheirLevelWithoutMessage) {
  FakeForceWindow window;
  window.Type(Jump, L"3");
  window.Type(Push, L"03");
  window.Type(Pull, L"2.5");
  window.Type(Speed, L" 1 ");
  window.Pick(See, L"02");
  window.separator = L",";  // the user's own decimal separator
  window.Type(Heal, L"2,5");
  EXPECT_EQ(window.record.level(Jump), 3);
  EXPECT_EQ(window.record.level(Push), 3);
  EXPECT_EQ(window.record.level(Pull), 2);
  EXPECT_EQ(window.text(Pull), L"2.5");
  EXPECT_EQ(window.record.level(Speed), 1);
  EXPECT_EQ(window.record.level(See), 2);
  EXPECT_EQ(window.record.level(Heal), 2);
  EXPECT_EQ(window.messages, Messages{});
}

// Each text typed over a level of 2 clears the box with its one message
// (none for a deleted text). A value that breaks both the budget and the
// cap shows only the budget's.
TEST(LevelEdit, RejectedTextsClearTheBoxWithTheirMessage) {
  const struct {
    const wchar_t* text;
    const std::wstring* message;
    const wchar_t* separator = L".";
  } cases[] = {
      {L"", nullptr},           {L"4", &kCap},          {L"3.2", &kCap},
      {L"3.5", &kCap},          {L"9", &kCap},          {L"3.0001", &kCap},
      {L"40000", &kCap},        {L"1e999", &kCap},      {L"-1", &kBelowZero},
      {L"-0.4", &kBelowZero},   {L"-3", &kBelowZero},   {L"-2.5", &kBelowZero},
      {L"-40000", &kBelowZero}, {L"abc", &kNotANumber}, {L"-", &kNotANumber},
      {L"+", &kNotANumber},     {L" ", &kNotANumber},   {L".", &kNotANumber},
      {L"1e", &kNotANumber},    {L"2,5", &kNotANumber}, {L"25", &kBudget},
      {L"3,2", &kCap, L","},
  };
  for (const auto& rejected : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(rejected.text)));
    FakeForceWindow window;
    window.separator = rejected.separator;
    window.Type(Heal, L"2");
    window.Type(Heal, rejected.text);
    ExpectCleared(window, Heal);
    EXPECT_EQ(window.maxDepth, 1) << "a clear runs exactly one nested pass";
    EXPECT_EQ(window.messages, rejected.message ? Messages{*rejected.message} : Messages{});
  }
}

// A negative value, cleared, buys no room in the budget.
TEST(LevelEdit, BudgetOfTwentyHoldsAndTwentyOneBreaksIt) {
  FakeForceWindow window;
  for (ForcePower power : {Jump, Push, Pull, Speed, See, SaberAttack}) window.Pick(power, L"03");
  window.Pick(TeamHeal, L"02");
  EXPECT_EQ(window.messages, Messages{});
  EXPECT_EQ(window.record.level(TeamHeal), 2);

  window.Type(TeamForce, L"-1");
  window.Pick(SaberDefend, L"01");
  ExpectCleared(window, TeamForce);
  ExpectCleared(window, SaberDefend);
  EXPECT_EQ(window.messages, (Messages{kBelowZero, kBudget}));
  EXPECT_EQ(window.record.level(TeamHeal), 2);
}

// Levels of the other side's powers, put in the record from outside, never
// count: the chosen side reaches 20 without them and breaks the budget at 21.
TEST(LevelEdit, OtherSidesLevelsNeverCount) {
  for (const bool dark : {false, true}) {
    SCOPED_TRACE(dark ? "Dark" : "Light");
    FakeForceWindow window;
    window.optlight = !dark;
    window.optdark = dark;
    for (ForcePower power :
         dark ? std::array{Absorb, Heal, Protect, Mindtrick} : std::array{Grip, Lightning, Drain, Rage})
      window.record.setLevel(power, 3);
    for (ForcePower power : {Jump, Push, Pull, Speed, See, dark ? Grip : Absorb}) window.Pick(power, L"03");
    window.Pick(dark ? Rage : Heal, L"02");
    EXPECT_EQ(window.messages, Messages{});
    window.Pick(dark ? Drain : Protect, L"01");
    EXPECT_EQ(window.messages, Messages{kBudget});
  }
}

TEST(LevelEdit, WithNoSideChosenOnlyTheCapApplies) {
  FakeForceWindow window;
  window.optlight = false;
  for (const PowerRow& row : PowerTable) window.Pick(row.power, L"03");
  EXPECT_EQ(window.messages, Messages{});
  window.Type(Jump, L"4");
  EXPECT_EQ(window.messages, Messages{kCap});
}

TEST(LevelEdit, ClearingADisabledBoxStoresZeroThroughItsChange) {
  FakeForceWindow window;
  window.record.setLevel(Grip, 3);
  window.SetLevelText(Grip, L"03");
  ASSERT_FALSE(window.Enabled(Grip));
  window.SetLevelText(Grip, L"00");
  ExpectCleared(window, Grip);
}

// A total already over the budget (a bot opened for repair, its record
// filled from outside the rules) may only go down: raising a level is
// rejected once, and the clear's nested pass, which lowers it, ends there;
// lowering is kept without a word.
TEST(LevelEdit, OverTheBudgetALevelMayOnlyGoDown) {
  FakeForceWindow window;
  for (ForcePower power : {Push, Pull, Speed, See, SaberAttack, SaberDefend, SaberThrow})
    window.record.setLevel(power, 3);
  window.Type(Jump, L"1");
  ExpectCleared(window, Jump);
  EXPECT_LE(window.maxDepth, 1);
  EXPECT_EQ(window.messages, (Messages{kBudget}));
  window.Type(Push, L"2");
  EXPECT_EQ(window.record.level(Push), 2);
  EXPECT_EQ(window.messages, (Messages{kBudget}));
}

}  // namespace
}  // namespace zenthra
