// Drives the shipped Zenthra.exe from outside, as another program would:
// finds its window, types into a level box, answers the message box, presses
// Go, and ends it through File > Exit; starts it with a bot file to open.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <filesystem>
#include <string>

#include "bot_file_support.h"
#include "force/force_info_line.h"
#include "remote_program.h"
#include "shell/app_identity.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

using zenthra::test::RemoteProgram;
using zenthra::test::TextOf;

std::wstring ZenthraExePath() {
  std::array<wchar_t, MAX_PATH> self{};
  GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
  return (std::filesystem::path(self.data()).parent_path() / L"Zenthra.exe").wstring();
}

class ZenthraExe : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Started()) << "CreateProcess failed: " << program_.Error();
    main_ = program_.WaitForWindow(kMainWindowClass, kMainWindowCaption);
    ASSERT_NE(main_, nullptr);
  }

  RemoteProgram program_{ZenthraExePath()};
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
  std::array<wchar_t, 128> message{};
  GetDlgItemTextW(box, 0xFFFF, message.data(), static_cast<int>(message.size()));
  EXPECT_STREQ(message.data(), L"Cannot exceed 3 points!");
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the message must be modal";
  EXPECT_EQ(TextOf(heal), L"00") << "the box is cleared before the message shows";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  while (IsWindow(box)) Sleep(10);

  SendMessageW(ControlOf(main_, L"cmdgo"), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(ControlOf(main_, L"txtforce")), L"forceinfo       7-1-000000000000000000");

  PostMessageW(main_, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(program_.WaitForExit(), 0u);
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
  } cases[] = {{L"light bot.qeb", kLightExample, true}, {L"dark bot.qeb", kDarkExample, false}};
  for (const auto& c : cases) {
    const std::wstring path = folder.Write(c.name, BotText(c.value));
    RemoteProgram program(ZenthraExePath(), c.quoted ? L"\"" + path + L"\"" : path);
    HWND main = program.WaitForWindow(kMainWindowClass, L"Zenthra - " + std::wstring(c.name));
    ASSERT_NE(main, nullptr);
    ExpectShowsValue(main, c.value);
  }
}

}  // namespace
}  // namespace zenthra::ui::test
