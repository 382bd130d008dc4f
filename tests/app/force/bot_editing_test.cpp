// What editing a bot decides: the counter's figures, whether the window holds
// changes, and what a broken value looks like once opened for repair.
#include "force/bot_editing.h"

#include <gtest/gtest.h>

#include "fake_force_window.h"

namespace zenthra {
namespace {

using enum ForcePower;
using testing::FakeForceWindow;

TEST(BotEditing, TheCounterFollowsEditsSideSwitchesAndAnOverBudgetRecord) {
  FakeForceWindow window;
  const auto shown = [&window] { return PointsText(CountPoints(window.record, *ChosenSide(window))); };
  EXPECT_EQ(shown(), L"0 of 20 points");
  window.Pick(Jump, L"03");
  window.Type(Heal, L"2");
  window.Type(Push, L"9");  // rejected: cleared
  EXPECT_EQ(shown(), L"5 of 20 points");
  window.ChooseDark();  // Heal is cleared with the Light side
  window.Pick(Grip, L"01");
  EXPECT_EQ(shown(), L"4 of 20 points");
  for (ForcePower power : {Push, Pull, Speed, See, SaberAttack, SaberDefend, SaberThrow})
    window.record.setLevel(power, 3);
  EXPECT_EQ(shown(), L"25 of 20 points: 5 over");
  EXPECT_EQ(PointsText(CountPoints(window.record, Side::Light)), L"24 of 20 points: 4 over");
}

TEST(BotEditing, TheWindowIsChangedWhileItsValueDiffersFromTheSavedOne) {
  ForceSettings settings;
  const ForceInfoValue saved = ValueOf(settings, Side::Light);
  EXPECT_FALSE(IsChanged(saved, ValueOf(settings, Side::Light)));
  EXPECT_TRUE(IsChanged(saved, ValueOf(settings, Side::Dark)));
  for (std::int16_t push : {std::int16_t{2}, std::int16_t{3}, std::int16_t{2}}) {
    settings.setLevel(Push, push);
    EXPECT_TRUE(IsChanged(saved, ValueOf(settings, Side::Light)));
  }
  settings.setLevel(Push, 0);  // back where it was
  EXPECT_FALSE(IsChanged(saved, ValueOf(settings, Side::Light)));
  EXPECT_TRUE(IsChanged(std::nullopt, ValueOf(settings, Side::Light)));  // opened for repair
}

// Each broken rule is repairable, and the repaired value breaks at most the
// budget, which stays as the file has it.
TEST(BotEditing, RepairClearsWhatTheWindowsRulesWouldAndKeepsTheTotal) {
  for (const auto& [text, shown] : {std::pair{"7-1-900000000000000000", "7-1-000000000000000000"},
                                    {"7-2-000000000000000009", "7-2-000000000000000000"},
                                    {"7-1-333333000300000000", "7-1-333333000300000000"},
                                    {"7-2-303300000030000000", "7-2-003300000000000000"}}) {
    const auto problem = std::get<BotFileProblem>(ReadBotFile(std::string("forceinfo ") + text));
    EXPECT_NE(RepairQuestion(problem).find(ProblemMessage(problem)), std::wstring::npos);
    const ForceInfoValue value = std::get<ForceInfoValue>(ReadForceInfoValue(text, 1));
    const ForceInfoValue repaired = RepairedValue(value);
    EXPECT_EQ(ForceInfoValueText(repaired), shown);
    const auto left = BrokenRule(repaired, 1);
    EXPECT_TRUE(!left || left->kind == BotFileProblemKind::TotalOverTwenty) << text;
    EXPECT_EQ(SideTotal(repaired.levels, value.side) > kBudgetLimit,
              SideTotal(value.levels, value.side) > kBudgetLimit);
  }
}

}  // namespace
}  // namespace zenthra
