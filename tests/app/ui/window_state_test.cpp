// The window as it opens, the side switch, Go, the menus and the lifetime.

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <vector>

#include "accessible_calls.h"
#include "force/force_info_line.h"
#include "main_window_fixture.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

using enum ForcePower;

std::wstring MenuText(HMENU menu, UINT position) {
  std::wstring result(64, L'\0');
  result.resize(static_cast<std::size_t>(GetMenuStringW(menu, position, result.data(), 64, MF_BYPOSITION)));
  return result;
}

TEST_F(MainWindowTest, OpensInTheStoredInitialState) {
  EXPECT_EQ(TextOf(window_->Window()), L"Zenthra");
  EXPECT_EQ(SendMessageW(Control(L"optlight"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(L"optdark"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(GetFocus(), Control(L"optlight"));
  EXPECT_EQ(TextOf(Control(L"txtforce")), kForceInfoPrompt);
  EXPECT_EQ(window_->Settings(), ForceSettings{});

  for (const PowerRow& row : PowerTable) {
    SCOPED_TRACE(std::string(row.box.begin(), row.box.end()));
    HWND levelBox = Box(row.power);
    EXPECT_EQ(IsWindowEnabled(levelBox) != FALSE, row.group != PowerGroup::Dark);
    EXPECT_EQ(TextOf(levelBox), L"00");
    ASSERT_EQ(SendMessageW(levelBox, CB_GETCOUNT, 0, 0), 4);
    for (int item = 0; item < 4; ++item) {
      std::array<wchar_t, 8> itemText{};
      SendMessageW(levelBox, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(itemText.data()));
      EXPECT_EQ(std::wstring(itemText.data()), (std::array{L"00", L"01", L"02", L"03"}[item]));
    }
    EXPECT_EQ(TextOf(ControlOf(window_->Window(), row.label)), row.caption);
  }
}

TEST_F(MainWindowTest, MenuBarHoldsTheFileCommandsAndHelpAbout) {
  // Each menu (id -1), then its items; a separator has no text and the id 0.
  std::vector<std::pair<std::wstring, UINT>> seen;
  for (HMENU bar = GetMenu(window_->Window()); UINT m : {0u, 1u}) {
    seen.emplace_back(MenuText(bar, m), GetMenuItemID(bar, static_cast<int>(m)));
    HMENU menu = GetSubMenu(bar, static_cast<int>(m));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) seen.emplace_back(MenuText(menu, i), GetMenuItemID(menu, i));
  }
  EXPECT_EQ(seen, (std::vector<std::pair<std::wstring, UINT>>{{L"&File", -1u},
                                                              {L"&Open Bot File...\tCtrl+O", IDM_OPEN},
                                                              {L"&Save to Bot File\tCtrl+S", IDM_SAVE},
                                                              {L"Save to Bot File &As...\tCtrl+Shift+S", IDM_SAVE_AS},
                                                              {L"", 0},
                                                              {L"E&xit", IDM_EXIT},
                                                              {L"&Help", -1u},
                                                              {L"&About", IDM_ABOUT}}));
  EXPECT_EQ(GetMenuItemCount(GetMenu(window_->Window())), 2);
}

TEST_F(MainWindowTest, TxtforceIsReadOnlyOnTheTooltipBackground) {
  HWND txtforce = Control(L"txtforce");
  EXPECT_NE(GetWindowLongPtrW(txtforce, GWL_STYLE) & ES_READONLY, 0);
  HDC dc = GetDC(txtforce);
  const LRESULT brush = SendMessageW(window_->Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(txtforce));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_INFOBK));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_INFOBK));
  ReleaseDC(txtforce, dc);
}

TEST_F(MainWindowTest, SwitchingSidesEnablesOneSideAndClearsTheOther) {
  Type(Absorb, L"3");
  Type(Heal, L"2");
  Type(Jump, L"3");
  Click(L"optdark");
  for (ForcePower power : MembersOf(PowerGroup::Light)) {
    EXPECT_FALSE(IsWindowEnabled(Box(power)));
    EXPECT_EQ(BoxText(power), L"00");
    EXPECT_EQ(Level(power), 0);
  }
  for (ForcePower power : MembersOf(PowerGroup::Dark)) EXPECT_TRUE(IsWindowEnabled(Box(power)));
  EXPECT_EQ(Level(Jump), 3);

  // The arrow keys move the selection back within the option group.
  SetFocus(Control(L"optdark"));
  PressKey(window_->Window(), VK_UP);
  EXPECT_EQ(SendMessageW(Control(L"optlight"), BM_GETCHECK, 0, 0), BST_CHECKED);
  for (ForcePower power : MembersOf(PowerGroup::Dark)) EXPECT_FALSE(IsWindowEnabled(Box(power)));
  EXPECT_EQ(BoxText(Absorb), L"00");
  EXPECT_TRUE(IsWindowEnabled(Box(Absorb)));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, GoWritesTheLightWorkedExample) {
  const std::pair<ForcePower, const wchar_t*> levels[] = {
      {Jump, L"3"},    {Push, L"2"},      {Pull, L"1"},        {Speed, L"3"},       {See, L"1"},       {Heal, L"3"},
      {Protect, L"2"}, {Mindtrick, L"1"}, {SaberAttack, L"2"}, {SaberDefend, L"1"}, {SaberThrow, L"1"}};
  for (const auto& [power, keys] : levels) Type(power, keys);
  Click(L"cmdgo");
  EXPECT_EQ(TextOf(Control(L"txtforce")), L"forceinfo       7-1-333211000200001211");
  EXPECT_EQ(window_->Settings().side, 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, GoWritesTheDarkWorkedExampleFromTheKeyboard) {
  Click(L"optdark");
  const std::pair<ForcePower, const wchar_t*> levels[] = {
      {Jump, L"2"},  {Push, L"1"}, {Pull, L"1"},        {Speed, L"2"},       {Grip, L"3"},      {Lightning, L"3"},
      {Drain, L"2"}, {Rage, L"1"}, {SaberAttack, L"2"}, {SaberDefend, L"2"}, {SaberThrow, L"1"}};
  for (const auto& [power, keys] : levels) Type(power, keys);
  SetFocus(Control(L"cmdgo"));
  PressKey(window_->Window(), VK_SPACE);
  EXPECT_EQ(TextOf(Control(L"txtforce")), L"forceinfo       7-2-022110331000020221");
  EXPECT_TRUE(Messages().empty());
}

// A screen reader may keep a control's object after the window has gone:
// every call then fails, and nothing it answered before is read.
TEST_F(MainWindowTest, ControlObjectsKeptPastTheWindowFailEveryCall) {
  std::vector<Microsoft::WRL::ComPtr<IAccessible>> kept;
  for (HWND control : {Control(L"txtforce"), Box(ForcePower::Heal)}) {
    kept.emplace_back();
    ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                                        __uuidof(IAccessible),
                                                        reinterpret_cast<void**>(kept.back().GetAddressOf())));
  }
  window_.reset();
  for (const auto& object : kept) ExpectEveryCallFails(*object.Get());
}

}  // namespace
}  // namespace zenthra::ui::test
