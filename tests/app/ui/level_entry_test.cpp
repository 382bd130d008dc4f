// Typing and list picks in the real level boxes, and the rules they reach.

#include "main_window_fixture.h"

#include "about/about_dialog.h"

namespace zenthra::ui::test {
namespace {

using enum ForcePower;

const std::wstring kBudget = L"Error, You Can Only Have A Maximum Of 20 Force Points";
const std::wstring kCap = L"Cannot exceed 3 points!";

// One after another in the one window: each typed text is stored, or the
// box is cleared with its one message. Of "25", "2" is accepted, then "25"
// breaks both rules and only the budget's message shows.
TEST_F(MainWindowTest, TypedLevelsAreStoredOrClearedWithTheirMessage) {
  const struct {
    ForcePower power;
    const wchar_t* keys;
    const wchar_t* shown;
    int level;
    const std::wstring* message;
  } cases[] = {{Jump, L"3", L"3", 3, nullptr}, {Push, L"03", L"03", 3, nullptr}, {Pull, L"2.5", L"2.5", 2, nullptr},
               {Heal, L"4", L"00", 0, &kCap},  {Heal, L"3.2", L"00", 0, &kCap},  {Speed, L"25", L"00", 0, &kBudget}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::wstring(c.keys)));
    Type(c.power, c.keys);
    EXPECT_EQ(BoxText(c.power), c.shown);
    EXPECT_EQ(Level(c.power), c.level);
    EXPECT_EQ(Messages(), c.message ? std::vector{*c.message} : std::vector<std::wstring>{});
  }
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
