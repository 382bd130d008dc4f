// Bot files in the real window: opened by a drop, refused with a message and
// the window untouched, saved into the file as it is now or not at all, and
// the file dialog.

#include <shlobj.h>

#include <array>
#include <cstring>
#include <functional>
#include <tuple>

#include "bot_file_support.h"
#include "force/bot_file.h"
#include "main_window_fixture.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

// As the shell posts it: the header, each path with its NUL, one more NUL.
void Drop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  *header = {.pFiles = sizeof(DROPFILES), .pt = {}, .fNC = FALSE, .fWide = TRUE};
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// What the user sees: the caption, each control's text, state and check.
std::vector<std::wstring> Snapshot(HWND main) {
  std::vector<std::wstring> seen{WindowText(main)};
  for (const ControlSpec& control : kMainWindowLayout) {
    HWND child = ControlOf(main, control.name);
    seen.push_back(WindowText(child) +
                   std::to_wstring(IsWindowEnabled(child) * 2 + SendMessageW(child, BM_GETCHECK, 0, 0)));
  }
  return seen;
}

std::wstring Problem(std::string_view bytes) { return ProblemMessage(std::get<BotFileProblem>(ReadBotFile(bytes))); }

class BotFileTest : public MainWindowTest {
 protected:
  // Ctrl+S through the program's message loop, or File > Save to Bot File.
  // That loop stops once its queue has been handled, which would also end a
  // message box or dialog shown meanwhile: saves that show one use the menu.
  void Save(bool shortcut) {
    std::array<BYTE, 256> keys{};
    keys[VK_CONTROL] = 0x80;
    if (!shortcut) {
      PostMessageW(window_->Window(), WM_COMMAND, IDM_SAVE, 0);
      return Pump();
    }
    SetKeyboardState(keys.data());
    PostMessageW(GetFocus(), WM_KEYDOWN, 'S', 1);
    RunPostedMessages(windows_);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys.data());
  }

  BotFolder folder_;
};

TEST_F(BotFileTest, DroppedFilesOpenThroughTheRulesWithoutAMessage) {
  const std::wstring light = folder_.Write(L"light.qeb", BotText(kLightExample));
  for (const auto& [paths, value, caption] :
       {std::tuple{std::vector{light}, kLightExample, L"Zenthra - light.qeb"},
        std::tuple{std::vector{folder_.Write(L"dark.qeb", BotText(kDarkExample)), light}, kDarkExample,
                   L"Zenthra - dark.qeb"}}) {  // of several, the first
    Drop(window_->Window(), paths);
    Pump();
    ExpectShowsValue(window_->Window(), value);
    EXPECT_EQ(WindowText(window_->Window()), caption);
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BotFileTest, AFileThatCannotBeOpenedIsToldAndChangesNothing) {
  window_->OpenBotFile(folder_.Write(L"good.qeb", BotText(kDarkExample)));
  const std::vector<std::wstring> before = Snapshot(window_->Window());
  std::filesystem::create_directory(folder_.Path(L"folder.qeb"));
  const win32::UniqueFile lock(
      CreateFileW(folder_.Write(L"locked.qeb", "").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {folder_.Path(L"gone.qeb"),
       L"The file \"gone.qeb\" cannot be found. It may have been moved, renamed or deleted."},
      {folder_.Path(L"folder.qeb"), L"\"folder.qeb\" is a folder, not a file. Please choose a bot file."},
      {folder_.Path(L"locked.qeb"),
       L"The file \"locked.qeb\" is in use by another program. Close it there, or wait a moment, and try again."},
      {folder_.Write(L"large.qeb", std::string(kBotFileSizeLimit + 1, 'x')),
       ProblemMessage({.kind = BotFileProblemKind::TooLarge, .lines = {}})}};
  // No line, two lines, a level above 3, a level of the other side.
  for (const std::string& bytes : {std::string("x\n"), BotText(kLightExample) + BotText(kDarkExample),
                                   BotText("7-1-433211000200001211"), BotText("7-1-000000100000000000")}) {
    cases.emplace_back(folder_.Write(std::to_wstring(cases.size()) + L".qeb", bytes), Problem(bytes));
  }
  for (const auto& [path, message] : cases) {
    window_->OpenBotFile(path);
    EXPECT_EQ(Messages(), std::vector{message});
    EXPECT_EQ(Snapshot(window_->Window()), before);
  }
}

// Jump goes from 3 to 2, and the file changes meanwhile: a save writes the
// value into the file as it is now, or tells why not and leaves it as it is.
TEST_F(BotFileTest, SaveWritesIntoTheFileAsItIsNowOrLeavesItAsItWas) {
  const std::string edited = "// edited elsewhere\n" + BotText(kLightExample) + "last";  // the line moved down
  const std::string twoLines = BotText(kLightExample) + BotText(kLightExample);
  const std::tuple<const char*, std::function<void(const BotFolder&)>, std::wstring> cases[] = {
      {"Edited", [&](const BotFolder& f) { f.Write(L"bot.qeb", edited); }, L""},
      {"ReadOnly", [](const BotFolder& f) { SetFileAttributesW(f.Path(L"bot.qeb").c_str(), FILE_ATTRIBUTE_READONLY); },
       L"The file \"bot.qeb\" is read-only. Clear its Read-only attribute (in the file's Properties) and save again."},
      {"Gone", [](const BotFolder& f) { DeleteFileW(f.Path(L"bot.qeb").c_str()); },
       L"The file \"bot.qeb\" cannot be found. It may have been moved, renamed or deleted."},
      {"TwoLines", [&](const BotFolder& f) { f.Write(L"bot.qeb", twoLines); }, Problem(twoLines)}};
  for (const auto& [name, change, message] : cases) {
    const BotFolder folder(name);
    window_->OpenBotFile(folder.Write(L"bot.qeb", BotText(kLightExample)));
    change(folder);
    const std::vector<std::wstring> names = folder.Names();  // a save leaves no file of its own
    std::string bytes = folder.Read(L"bot.qeb");
    if (message.empty()) bytes.replace(bytes.find(kLightExample), kLightExample.size(), "7-1-323211000200001211");
    Type(ForcePower::Jump, L"2");
    Save(message.empty());
    EXPECT_EQ(Messages(),
              message.empty() ? std::vector<std::wstring>{} : std::vector{message + L" Nothing was saved."});
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(folder.Read(L"bot.qeb"), bytes);
  }
}

TEST_F(BotFileTest, SaveWithNoFileOpenAsksForTheFileInTheDialog) {
  const std::wstring path = folder_.Write(L"new.qeb", BotText("7-1-000000000000000000"));
  Type(ForcePower::Jump, L"3");
  const std::jthread answer = AnswerFileDialog(L"Save to Bot File", path);
  Save(false);
  EXPECT_EQ(folder_.Read(L"new.qeb"), BotText("7-1-030000000000000000"));
  EXPECT_EQ(WindowText(window_->Window()), L"Zenthra - new.qeb");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace zenthra::ui::test
