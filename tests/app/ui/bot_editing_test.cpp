// Editing an opened bot in the real window: the points counter and the change
// mark, the question before anything discards a change, and a bot that
// breaks the rules opened for repair.

#include <array>
#include <functional>

#include "force/bot_editing.h"
#include "main_window_fixture.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

using enum ForcePower;

class BotEditingTest : public MainWindowTest {
 protected:
  // A new window with the bot `kessa.qeb` (the Light worked example) open.
  std::wstring OpenKessa() {
    if (window_->Window() == nullptr) {
      window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), windows_);
      EXPECT_HRESULT_SUCCEEDED(window_->Create(SW_SHOWNORMAL));
    }
    const std::wstring path = folder_.Write(L"kessa.qeb", BotText(kLightExample));
    window_->OpenBotFile(path);
    Pump();
    return path;
  }
  std::wstring CounterAndCaption() const { return TextOf(Control(L"lblpoints")) + L" | " + TextOf(window_->Window()); }

  BotFolder folder_;
};

// Counted as a screen reader hears it: the name change events of the counter.
HWND counterWindow = nullptr;
int namesHeard = 0;
void CALLBACK HearName(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  namesHeard += window == counterWindow ? 1 : 0;
}

TEST_F(BotEditingTest, TheCounterAndTheChangeMarkFollowEveryChange) {
  counterWindow = Control(L"lblpoints");
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &HearName,
                                             GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  EXPECT_EQ(CounterAndCaption(), L"0 of 20 points | Zenthra");
  OpenKessa();
  const std::pair<std::function<void()>, std::wstring> steps[] = {
      {[] {}, L"20 of 20 points | Zenthra - kessa.qeb"},
      {[&] { Type(Push, L"1"); }, L"19 of 20 points | Zenthra - kessa.qeb*"},
      {[&] { Type(Push, L"2"); }, L"20 of 20 points | Zenthra - kessa.qeb"},  // values, not keystrokes
      {[&] { SetFocus(Box(Pull)), PressKey(window_->Window(), VK_DOWN); }, L"19 of 20 points | Zenthra - kessa.qeb*"},
      {[&] { Click(L"optdark"); }, L"13 of 20 points | Zenthra - kessa.qeb*"},
      {[&] { OpenKessa(); }, L"20 of 20 points | Zenthra - kessa.qeb"},
  };
  for (const auto& [step, seen] : steps) {
    step();
    Pump();
    EXPECT_EQ(CounterAndCaption(), seen);
  }
  EXPECT_EQ(Messages(), std::vector<std::wstring>{std::wstring(kBudgetMessage)});  // Pull's 21st point
  EXPECT_GE(namesHeard, 5);
  UnhookWinEvent(hook);
}

// Each way of leaving a changed bot asks first: Yes saves, No goes on without
// saving, Cancel stays with the change. The file's bytes tell which.
TEST_F(BotEditingTest, EveryWayOfLeavingAChangedBotAsksFirst) {
  const std::wstring other = folder_.Write(L"other.qeb", BotText(kDarkExample));
  std::jthread dialog;
  LRESULT endSession = 0;
  const auto command = [&](UINT message, WPARAM id) { PostMessageW(window_->Window(), message, id, 0); };
  const std::wstring kessa = L"Zenthra - kessa.qeb", changed = kessa + L"*", gone, opened = L"Zenthra - other.qeb";
  const struct {
    const char* name;
    std::function<void(int answer)> leave;
    std::array<std::wstring, 3> captions;  // after Yes, No and Cancel; empty: the window is gone
  } ways[] = {
      {"Exit", [&](int) { command(WM_COMMAND, IDM_EXIT); }, {gone, gone, changed}},
      {"Close", [&](int) { command(WM_CLOSE, 0); }, {gone, gone, changed}},
      // No, then the Open dialog cancelled: nothing is opened, and nothing lost.
      {"Open",
       [&](int answer) {
         dialog = AnswerFileDialog(L"Open", answer == IDYES ? other : L"");
         command(WM_COMMAND, IDM_OPEN);
       },
       {opened, changed, changed}},
      {"Drop", [&](int) { Drop(window_->Window(), {other}); }, {opened, opened, changed}},
      {"EndSession",
       [&](int) { endSession = SendMessageW(window_->Window(), WM_QUERYENDSESSION, 0, 0); },
       {kessa, changed, changed}},
  };
  for (const auto& way : ways) {
    for (std::size_t i = 0; i < 3; ++i) {
      const int answer = std::array{IDYES, IDNO, IDCANCEL}[i];
      SCOPED_TRACE(std::string(way.name) + " " + std::to_string(answer));
      OpenKessa();
      Type(Jump, L"2");
      endSession = -1;
      watcher_.Answer({answer});
      way.leave(answer);
      Pump();
      dialog = {};
      EXPECT_EQ(Messages(), std::vector<std::wstring>{L"Save changes to kessa.qeb?"});
      EXPECT_EQ(folder_.Read(L"kessa.qeb"), BotText(answer == IDYES ? "7-1-323211000200001211" : kLightExample));
      EXPECT_EQ(window_->Window() == nullptr ? gone : TextOf(window_->Window()), way.captions[i]);
      EXPECT_EQ(endSession, way.captions[0] != kessa ? -1 : answer != IDCANCEL);  // only the session's end answers
    }
  }
  // Yes with a save that fails: its message, and the window stays changed.
  folder_.Write(L"kessa.qeb", BotText(kLightExample));
  OpenKessa();
  Type(Jump, L"2");
  SetFileAttributesW(folder_.Path(L"kessa.qeb").c_str(), FILE_ATTRIBUTE_READONLY);
  watcher_.Answer({IDYES});
  command(WM_COMMAND, IDM_EXIT);
  Pump();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(TextOf(window_->Window()), L"Zenthra - kessa.qeb*");
  EXPECT_EQ(folder_.Read(L"kessa.qeb"), BotText(kLightExample));
}

// 21 points on the Light side: opened for repair if the user agrees; raising
// a level is refused, a save is refused until the total is within 20.
TEST_F(BotEditingTest, AnOverBudgetBotOpensForRepairAndSavesOnceWithinTheBudget) {
  const std::string over = BotText("7-1-333333000300000000");
  const std::wstring path = folder_.Write(L"over.qeb", over);
  watcher_.Answer({IDYES});
  window_->OpenBotFile(path);
  Pump();
  EXPECT_EQ(Messages(), std::vector{RepairQuestion(std::get<BotFileProblem>(ReadBotFile(over)))});
  EXPECT_EQ(CounterAndCaption(), L"21 of 20 points: 1 over | Zenthra - over.qeb*");
  Type(Absorb, L"1");
  PostMessageW(window_->Window(), WM_COMMAND, IDM_SAVE, 0);
  Pump();
  const std::vector<std::wstring> refused = Messages();
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(refused[0], kBudgetMessage);
  EXPECT_NE(refused[1].find(L"Lower the levels by 1 point and save again."), std::wstring::npos) << refused[1];
  EXPECT_EQ(folder_.Read(L"over.qeb"), over);
  Type(Protect, L"2");
  PostMessageW(window_->Window(), WM_COMMAND, IDM_SAVE, 0);
  Pump();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(folder_.Read(L"over.qeb"), BotText("7-1-333333000200000000"));
  EXPECT_EQ(CounterAndCaption(), L"20 of 20 points | Zenthra - over.qeb");
}

}  // namespace
}  // namespace zenthra::ui::test
