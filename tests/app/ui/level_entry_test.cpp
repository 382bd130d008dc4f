// Typing and list picks in the real level boxes, and the rules they reach.

#include "main_window_fixture.h"

#include "about/about_dialog.h"

namespace zenthra::ui::test {
namespace {

using enum ForcePower;

const std::wstring kBudget = L"Error, You Can Only Have A Maximum Of 20 Force Points";
const std::wstring kCap = L"Cannot exceed 3 points!";

TEST_F(MainWindowTest, TypedLevelsWithinTheRulesAreStoredWithoutMessage) {
  Type(Jump, L"3");
  Type(Push, L"03");
  Type(Pull, L"2.5");
  EXPECT_EQ(Level(Jump), 3);
  EXPECT_EQ(Level(Push), 3);
  EXPECT_EQ(Level(Pull), 2);
  EXPECT_EQ(BoxText(Pull), L"2.5");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, TypedLevelAboveThreeIsClearedWithTheCapMessage) {
  for (const wchar_t* text : {L"4", L"3.2"}) {
    Type(Heal, text);
    EXPECT_EQ(Messages(), std::vector{kCap}) << text;
    EXPECT_EQ(BoxText(Heal), L"00");
    EXPECT_EQ(Level(Heal), 0);
  }
}

TEST_F(MainWindowTest, TypedValueBreakingBothRulesShowsOnlyTheBudgetMessage) {
  Type(Jump, L"25");  // "2" is accepted, then "25" breaks the budget first
  EXPECT_EQ(Messages(), std::vector{kBudget});
  EXPECT_EQ(BoxText(Jump), L"00");
  EXPECT_EQ(Level(Jump), 0);
}

// A deleted text shows zeros at once, without a message; after a clear,
// by a message or by deletion, the next key replaces the zeros.
TEST_F(MainWindowTest, AfterAClearTheNextKeyReplacesTheZeros) {
  Type(Speed, L"2");
  Type(Speed, L"\b");
  EXPECT_EQ(BoxText(Speed), L"00");
  EXPECT_EQ(Level(Speed), 0);
  EXPECT_TRUE(Messages().empty());
  TypeOn(Speed, L"1");
  EXPECT_EQ(BoxText(Speed), L"1");
  EXPECT_EQ(Level(Speed), 1);

  Type(Heal, L"4");
  EXPECT_EQ(Messages(), std::vector{kCap});
  TypeOn(Heal, L"3");
  EXPECT_EQ(BoxText(Heal), L"3");
  EXPECT_EQ(Level(Heal), 3);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, AMessageDisablesEveryWindowOfTheProgramUntilOk) {
  HWND about = about::ShowAbout(GetModuleHandleW(nullptr), windows_);
  ASSERT_NE(about, nullptr);
  watcher_.WatchEnabledState(about);
  Type(Heal, L"4");
  EXPECT_EQ(Messages(), std::vector{kCap});
  EXPECT_EQ(watcher_.TakeEnabledStates(), std::vector{false});
  EXPECT_TRUE(IsWindowEnabled(about));
  about::UnloadAbout(windows_);
}

TEST_F(MainWindowTest, ListPicksRunClickWithThePickedText) {
  SetFocus(Box(See));
  PressKey(window_->Window(), VK_DOWN);
  EXPECT_EQ(BoxText(See), L"01");
  EXPECT_EQ(Level(See), 1);
  PressKey(window_->Window(), VK_DOWN);
  PressKey(window_->Window(), VK_DOWN);
  EXPECT_EQ(BoxText(See), L"03");
  EXPECT_EQ(Level(See), 3);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, PickPastTheBudgetLeavesTheBoxCleared) {
  for (ForcePower power : {Jump, Push, Pull, Speed, See, SaberAttack}) Type(power, L"3");
  Type(TeamHeal, L"2");  // exactly 20
  EXPECT_TRUE(Messages().empty());

  SetFocus(Box(TeamForce));
  PressKey(window_->Window(), VK_DOWN);  // "01": 21
  EXPECT_EQ(Messages(), std::vector{kBudget});
  // Also after the combo's own refresh that follows the pick.
  EXPECT_EQ(BoxText(TeamForce), L"00");
  EXPECT_EQ(Level(TeamForce), 0);
  EXPECT_EQ(Level(TeamHeal), 2);
}

TEST_F(MainWindowTest, ProgramSetTextRunsChangeOnlyWhenTheTextDiffers) {
  // Disabled at start, and still handled.
  window_->SetLevelText(Grip, L"02");
  EXPECT_EQ(BoxText(Grip), L"02");
  EXPECT_EQ(Level(Grip), 2);

  window_->Settings().setLevel(Jump, 5);
  window_->SetLevelText(Jump, L"00");  // already shown: no pass, the record keeps 5
  EXPECT_EQ(Level(Jump), 5);
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace zenthra::ui::test
