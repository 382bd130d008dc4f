// Drives the shipped Zenthra.exe from outside, as another program would:
// finds its window, types into a level box, answers the message box, presses
// Go, reads what a screen reader hears, and ends it through File > Exit, by
// command and from the keyboard; starts it with a bot file to open.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "bot_file_support.h"
#include "bounded_wait.h"
#include "force/force_info_line.h"
#include "force/power_table.h"
#include "remote_program.h"
#include "shell/app_identity.h"
#include "ui/control_accessible.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "win32/ole_initialization.h"
#include "window_driver.h"

namespace zenthra::ui::test {
namespace {

using zenthra::test::RemoteProgram;
using zenthra::test::TextOf;

class ZenthraExe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Started()) << "CreateProcess failed: " << program_.Error();
    main_ = program_.WaitForWindow(kMainWindowClass, kMainWindowCaption);
    ASSERT_NE(main_, nullptr);
  }

  RemoteProgram program_{zenthra::test::ProgramFolder() + L"Zenthra.exe"};
  HWND main_ = nullptr;
};

TEST_F(ZenthraExe, TypingGoAndFileExit) {
  HWND heal = ControlOf(main_, L"cbheal");
  EXPECT_EQ(TextOf(heal), L"00");
  EXPECT_EQ(TextOf(ControlOf(main_, L"txtforce")), kForceInfoPrompt);

  // The user selects the box's text and types 4.
  HWND edit = FindWindowExW(heal, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CHAR, L'4', 1);

  HWND box = program_.WaitForWindow(L"#32770", shell::kAppTitle);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(TextOf(GetDlgItem(box, 0xFFFF)), L"Cannot exceed 3 points!");
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the message must be modal";
  EXPECT_EQ(TextOf(heal), L"00") << "the box is cleared before the message shows";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(zenthra::test::WaitUntil([box] { return !IsWindow(box); })) << "OK did not close the message";

  SendMessageW(ControlOf(main_, L"cmdgo"), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(ControlOf(main_, L"txtforce")), L"forceinfo       7-1-000000000000000000");

  PostMessageW(main_, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(program_.WaitForExit(), 0u);
}

// From the keyboard alone: Alt+F opens File, X chooses Exit, wherever Exit
// stands in the menu.
TEST_F(ZenthraExe, AltFThenXEndsTheProgram) {
  ASSERT_TRUE(zenthra::test::BringToFront(main_));
  zenthra::test::PressChord({VK_MENU, 'F'});
  ASSERT_NE(program_.WaitForWindow(L"#32768", L""), nullptr) << "Alt+F opened no menu";
  zenthra::test::PressChord({'X'});
  EXPECT_EQ(program_.WaitForExit(), 0u);
}

// Each level box is heard by its caption with its text as value, and has its
// caption label just before it (how Windows itself names it); the force info
// line and the buttons are heard by their names.
TEST_F(ZenthraExe, ScreenReadersHearEachControlByItsCaption) {
  const win32::OleInitialization ole;
  ASSERT_HRESULT_SUCCEEDED(ole.Result());
  HWND jumpEdit = FindWindowExW(ControlOf(main_, L"cbjump"), nullptr, L"Edit", nullptr);
  SendMessageW(jumpEdit, EM_SETSEL, 0, -1);
  PostMessageW(jumpEdit, WM_CHAR, L'2', 1);
  ASSERT_TRUE(zenthra::test::WaitUntil([this] { return TextOf(ControlOf(main_, L"cbjump")) == L"2"; }))
      << "the typed 2 did not reach the Jump box";
  SendMessageW(ControlOf(main_, L"cmdgo"), BM_CLICK, 0, 0);

  for (const PowerRow& row : PowerTable) {
    SCOPED_TRACE(std::string(row.box.begin(), row.box.end()));
    HWND box = ControlOf(main_, row.box);
    EXPECT_EQ(GetWindow(box, GW_HWNDPREV), ControlOf(main_, row.label));
    const auto heard = zenthra::test::Announced(box);
    ASSERT_HRESULT_SUCCEEDED(heard.found);
    EXPECT_EQ(heard.name, row.caption);
    EXPECT_EQ(heard.value, row.power == ForcePower::Jump ? L"2" : L"00");
  }
  const auto line = zenthra::test::Announced(ControlOf(main_, L"txtforce"));
  EXPECT_EQ(line.name, control_accessible::kForceInfoLineName);
  EXPECT_EQ(line.value, L"forceinfo       7-1-020000000000000000");
  for (const auto* name : {L"cmdgo", L"optlight", L"optdark"})
    EXPECT_EQ(zenthra::test::Announced(ControlOf(main_, name)).name, TextOf(ControlOf(main_, name)));
}

TEST_F(ZenthraExe, ClosingTheMainWindowEndsTheProgram) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_.WaitForExit(), 0u);
}

TEST(ZenthraExeCommandLine, OpensTheBotFileItNames) {
  const BotFolder folder;
  const struct {
    std::wstring_view name;
    std::string_view value;
    bool quoted;
    std::wstring_view more = {};  // further quoted paths: the first is opened
  } cases[] = {{L"light bot.qeb", kLightExample, true},
               {L"dark bot.qeb", kDarkExample, false},
               {L"first.qeb", kLightExample, true, L" \"b.qeb\""}};
  for (const auto& c : cases) {
    const std::wstring path = folder.Write(c.name, BotText(c.value));
    RemoteProgram program(zenthra::test::ProgramFolder() + L"Zenthra.exe",
                          (c.quoted ? L"\"" + path + L"\"" : path) + std::wstring(c.more));
    HWND main = program.WaitForWindow(kMainWindowClass, L"Zenthra - " + std::wstring(c.name));
    ASSERT_NE(main, nullptr);
    ExpectShowsValue(main, c.value);
  }
}

// A library loaded on first use that cannot be loaded is named to the user,
// with the system's reason, before the program ends; it never crashes.
TEST(ZenthraExeLibraries, AnAbsentLibraryIsNamedBeforeTheProgramEnds) {
  RemoteProgram probe(zenthra::test::ProgramFolder() + L"absent_library_probe.exe");
  ASSERT_TRUE(probe.Started()) << "CreateProcess failed: " << probe.Error();
  HWND box = probe.WaitForWindow(L"#32770", shell::kAppTitle);
  ASSERT_NE(box, nullptr);
  const std::wstring message = TextOf(GetDlgItem(box, 0xFFFF));
  EXPECT_NE(message.find(L"zenthra_absent_library.dll"), std::wstring::npos) << "the library is not named";
  EXPECT_NE(message.find(L"will now close"), std::wstring::npos);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(probe.WaitForExit(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
}  // namespace zenthra::ui::test
