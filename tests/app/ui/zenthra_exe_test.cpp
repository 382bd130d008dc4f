// Drives the shipped Zenthra.exe from outside, as another program would:
// finds its window, types into a level box, answers the message box, presses
// Go, and ends it through File > Exit.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <filesystem>
#include <string>

#include "force/force_info_line.h"
#include "ui/app_identity.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

std::filesystem::path zenthraExe() {
  std::array<wchar_t, MAX_PATH> self{};
  GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
  return std::filesystem::path(self.data()).parent_path() / L"Zenthra.exe";
}

struct FoundWindow {
  DWORD process;
  const wchar_t* windowClass;
  const wchar_t* caption;
  HWND window = nullptr;
};

// The visible top-level window of `process` with the class and caption, or
// nullptr.
HWND findWindowOf(DWORD process, const wchar_t* windowClass, const wchar_t* caption) {
  FoundWindow search{process, windowClass, caption};
  EnumWindows(
      [](HWND window, LPARAM found) -> BOOL {
        auto& wanted = *reinterpret_cast<FoundWindow*>(found);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        std::array<wchar_t, 64> name{};
        std::array<wchar_t, 64> text{};
        GetClassNameW(window, name.data(), static_cast<int>(name.size()));
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        if (owner != wanted.process || !IsWindowVisible(window) ||
            std::wstring_view(name.data()) != wanted.windowClass || std::wstring_view(text.data()) != wanted.caption) {
          return TRUE;
        }
        wanted.window = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.window;
}

// Waits (under the test's timeout) for the window to appear.
HWND waitForWindow(DWORD process, const wchar_t* windowClass, const wchar_t* caption) {
  HWND window = nullptr;
  while ((window = findWindowOf(process, windowClass, caption)) == nullptr) Sleep(20);
  return window;
}

// WM_GETTEXT sent explicitly: GetWindowText does not ask another process.
std::wstring textOf(HWND window) {
  std::array<wchar_t, 256> text{};
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

HWND controlOf(HWND main, std::wstring_view name) { return GetDlgItem(main, controlId(layoutIndexOf(name).value())); }

class ZenthraExe : public ::testing::Test {
 protected:
  void SetUp() override {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + zenthraExe().wstring() + L"\"";
    ASSERT_TRUE(
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_));
    main_ = waitForWindow(process_.dwProcessId, kMainWindowClass.data(), kMainWindowCaption.data());
  }

  void TearDown() override {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  DWORD exitCode() {
    WaitForSingleObject(process_.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

TEST_F(ZenthraExe, TypingGoAndFileExit) {
  HWND heal = controlOf(main_, L"cbheal");
  EXPECT_EQ(textOf(heal), L"00");
  EXPECT_EQ(textOf(controlOf(main_, L"txtforce")), kForceInfoPrompt);

  // The user selects the box's text and types 4.
  HWND edit = FindWindowExW(heal, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  PostMessageW(edit, WM_CHAR, L'4', 1);

  HWND box = waitForWindow(process_.dwProcessId, L"#32770", kAppTitle.data());
  std::array<wchar_t, 128> message{};
  GetDlgItemTextW(box, 0xFFFF, message.data(), static_cast<int>(message.size()));
  EXPECT_STREQ(message.data(), L"Cannot exceed 3 points!");
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the message must be modal";
  EXPECT_EQ(textOf(heal), L"00") << "the box is cleared before the message shows";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  while (IsWindow(box)) Sleep(10);

  SendMessageW(controlOf(main_, L"cmdgo"), BM_CLICK, 0, 0);
  EXPECT_EQ(textOf(controlOf(main_, L"txtforce")), L"forceinfo       7-1-000000000000000000");

  PostMessageW(main_, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(exitCode(), 0u);
}

TEST_F(ZenthraExe, ClosingTheMainWindowEndsTheProgram) {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_EQ(exitCode(), 0u);
}

}  // namespace
}  // namespace zenthra::ui::test
