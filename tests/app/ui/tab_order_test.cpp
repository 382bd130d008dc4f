// Tab through the real window on either side.

#include "main_window_fixture.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {
namespace {

class TabOrderTest : public MainWindowTest {
 protected:
  std::wstring NameOf(HWND focused) const {
    for (const ControlSpec& entry : kMainWindowLayout)
      if (ControlOf(window_->Window(), entry.name) == focused) return std::wstring(entry.name);
    return L"(not a control)";
  }

  // The controls visited by `steps` presses of Tab, starting at the focused one.
  std::vector<std::wstring> Walk(std::size_t steps) {
    std::vector<std::wstring> visited{NameOf(FocusedControl())};
    for (std::size_t i = 0; i < steps; ++i) {
      PressKey(window_->Window(), VK_TAB);
      visited.push_back(NameOf(FocusedControl()));
    }
    return visited;
  }
};

const std::vector<std::wstring> kLightOrder{
    L"optlight",     L"cbjump",      L"cbpush",     L"cbpull",      L"cbspeed",       L"cbsee",
    L"cbabsorb",     L"cbheal",      L"cbprotect",  L"cbmindtrick", L"cbsaberattack", L"cbsaberdefend",
    L"cbsaberthrow", L"cbteamforce", L"cbteamheal", L"cmdgo",       L"txtforce",      L"optlight"};

const std::vector<std::wstring> kDarkOrder{
    L"optdark",      L"cbjump",      L"cbpush",      L"cbpull", L"cbspeed",       L"cbsee",
    L"cbdrain",      L"cbgrip",      L"cblightning", L"cbrage", L"cbsaberattack", L"cbsaberdefend",
    L"cbsaberthrow", L"cbteamforce", L"cbteamheal",  L"cmdgo",  L"txtforce",      L"optdark"};

TEST_F(TabOrderTest, LightSideSkipsTheDisabledDarkBoxes) { EXPECT_EQ(Walk(kLightOrder.size() - 1), kLightOrder); }

TEST_F(TabOrderTest, DarkSideTakesDrainBeforeGrip) {
  Click(L"optdark");
  SetFocus(Control(L"optdark"));
  EXPECT_EQ(Walk(kDarkOrder.size() - 1), kDarkOrder);
}

}  // namespace
}  // namespace zenthra::ui::test
