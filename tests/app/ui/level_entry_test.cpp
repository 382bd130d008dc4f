// Typing and list picks in the real level boxes, and the rules they reach.

#include "main_window_fixture.h"

#include "about/about_dialog.h"

namespace zenthra::ui::test {
namespace {

using enum ForcePower;

const std::wstring kBudget = L"Error, You Can Only Have A Maximum Of 20 Force Points";
const std::wstring kCap = L"Cannot exceed 3 points!";

TEST_F(MainWindowTest, TypedLevelsWithinTheRulesAreStoredWithoutMessage) {
  type(Jump, L"3");
  type(Push, L"03");
  type(Pull, L"2.5");
  EXPECT_EQ(level(Jump), 3);
  EXPECT_EQ(level(Push), 3);
  EXPECT_EQ(level(Pull), 2);
  EXPECT_EQ(boxText(Pull), L"2.5");
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, TypedLevelAboveThreeIsClearedWithTheCapMessage) {
  type(Heal, L"4");
  EXPECT_EQ(messages(), std::vector{kCap});
  EXPECT_EQ(boxText(Heal), L"00");
  EXPECT_EQ(level(Heal), 0);

  type(Heal, L"3.2");
  EXPECT_EQ(messages(), std::vector{kCap});
  EXPECT_EQ(boxText(Heal), L"00");
}

TEST_F(MainWindowTest, TypedValueBreakingBothRulesShowsOnlyTheBudgetMessage) {
  type(Jump, L"25");  // "2" is accepted, then "25" breaks the budget first
  EXPECT_EQ(messages(), std::vector{kBudget});
  EXPECT_EQ(boxText(Jump), L"00");
  EXPECT_EQ(level(Jump), 0);
}

TEST_F(MainWindowTest, DeletingTheTextShowsZerosAtOnce) {
  type(Speed, L"2");
  type(Speed, L"\b");
  EXPECT_EQ(boxText(Speed), L"00");
  EXPECT_EQ(level(Speed), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, AfterAClearTheNextKeyReplacesTheZeros) {
  type(Heal, L"4");
  EXPECT_EQ(messages(), std::vector{kCap});
  typeOn(Heal, L"3");
  EXPECT_EQ(boxText(Heal), L"3");
  EXPECT_EQ(level(Heal), 3);

  type(Speed, L"2");
  type(Speed, L"\b");
  typeOn(Speed, L"1");
  EXPECT_EQ(boxText(Speed), L"1");
  EXPECT_EQ(level(Speed), 1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, AMessageDisablesEveryWindowOfTheProgramUntilOk) {
  HWND about = about::ShowAbout(GetModuleHandleW(nullptr), windows_);
  ASSERT_NE(about, nullptr);
  watcher_.watchEnabledState(about);
  type(Heal, L"4");
  EXPECT_EQ(messages(), std::vector{kCap});
  EXPECT_EQ(watcher_.takeEnabledStates(), std::vector{false});
  EXPECT_TRUE(IsWindowEnabled(about));
  about::UnloadAbout(windows_);
}

TEST_F(MainWindowTest, ListPicksRunClickWithThePickedText) {
  SetFocus(box(See));
  pressKey(window_->hwnd(), VK_DOWN);
  EXPECT_EQ(boxText(See), L"01");
  EXPECT_EQ(level(See), 1);
  pressKey(window_->hwnd(), VK_DOWN);
  pressKey(window_->hwnd(), VK_DOWN);
  EXPECT_EQ(boxText(See), L"03");
  EXPECT_EQ(level(See), 3);
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, PickPastTheBudgetLeavesTheBoxCleared) {
  for (ForcePower power : {Jump, Push, Pull, Speed, See, SaberAttack}) type(power, L"3");
  type(TeamHeal, L"2");  // exactly 20
  EXPECT_TRUE(messages().empty());

  SetFocus(box(TeamForce));
  pressKey(window_->hwnd(), VK_DOWN);  // "01": 21
  EXPECT_EQ(messages(), std::vector{kBudget});
  // Also after the combo's own refresh that follows the pick.
  EXPECT_EQ(boxText(TeamForce), L"00");
  EXPECT_EQ(level(TeamForce), 0);
  EXPECT_EQ(level(TeamHeal), 2);
}

TEST_F(MainWindowTest, ProgramSetTextRunsChangeOnlyWhenTheTextDiffers) {
  // Disabled at start, and still handled.
  window_->SetLevelText(Grip, L"02");
  EXPECT_EQ(boxText(Grip), L"02");
  EXPECT_EQ(level(Grip), 2);

  window_->Settings().setLevel(Jump, 5);
  window_->SetLevelText(Jump, L"00");  // already shown: no pass, the record keeps 5
  EXPECT_EQ(level(Jump), 5);
  EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace zenthra::ui::test
