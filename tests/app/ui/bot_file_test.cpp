// Bot files in the real window: opened by a drop, refused with a message
// and the window untouched, saved keeping the rest of the file, refused
// saves that leave the file as it was, and the file dialog.

#include <shlobj.h>

#include <cstring>

#include "bot_file_support.h"
#include "force/bot_file.h"
#include "main_window_fixture.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

using zenthra::test::TextOf;

// A WM_DROPFILES as the shell posts it: the header, then each path and a
// NUL, then one more NUL. The window finishes (frees) it.
void Drop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  names += L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// All the user sees of the window: caption, and each control's text, state and check.
std::vector<std::wstring> Snapshot(HWND main) {
  std::vector<std::wstring> seen{TextOf(main)};
  for (const ControlSpec& control : kMainWindowLayout) {
    HWND child = ControlOf(main, control.name);
    seen.push_back(TextOf(child) + std::to_wstring(IsWindowEnabled(child)) +
                   std::to_wstring(SendMessageW(child, BM_GETCHECK, 0, 0)));
  }
  return seen;
}

std::wstring Problem(std::string_view bytes) { return ProblemMessage(std::get<BotFileProblem>(ReadBotFile(bytes))); }

class BotFileTest : public MainWindowTest {
 protected:
  void Command(int id) {
    PostMessageW(window_->Window(), WM_COMMAND, id, 0);
    Pump();
  }
  std::wstring Caption() const { return WindowText(window_->Window()); }

  BotFolder folder_;
};

TEST_F(BotFileTest, DroppedFilesOpenThroughTheRulesWithoutAMessage) {
  const std::wstring light = folder_.Write(L"light.qeb", BotText(kLightExample));
  Drop(window_->Window(), {light});
  Pump();
  ExpectShowsValue(window_->Window(), kLightExample);
  EXPECT_EQ(Caption(), L"Zenthra - light.qeb");

  Drop(window_->Window(), {folder_.Write(L"dark.qeb", BotText(kDarkExample)), light});  // the first of several
  Pump();
  ExpectShowsValue(window_->Window(), kDarkExample);
  EXPECT_EQ(Caption(), L"Zenthra - dark.qeb");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BotFileTest, AFileThatCannotBeOpenedIsToldAndChangesNothing) {
  window_->OpenBotFile(folder_.Write(L"good.qeb", BotText(kDarkExample)));
  const std::vector<std::wstring> before = Snapshot(window_->Window());
  std::filesystem::create_directory(folder_.Path(L"folder.qeb"));
  const win32::UniqueFile lock(CreateFileW(folder_.Write(L"locked.qeb", BotText(kLightExample)).c_str(), GENERIC_READ,
                                           0, nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {folder_.Path(L"gone.qeb"),
       L"The file \"gone.qeb\" cannot be found. It may have been moved, renamed or deleted."},
      {folder_.Path(L"folder.qeb"), L"\"folder.qeb\" is a folder, not a file. Please choose a bot file."},
      {folder_.Path(L"locked.qeb"),
       L"The file \"locked.qeb\" is in use by another program. Close it there, or wait a moment, and try again."},
      {folder_.Write(L"large.qeb", std::string(kBotFileSizeLimit + 1, 'x')),
       ProblemMessage({.kind = BotFileProblemKind::TooLarge, .lines = {}})},
  };
  // No line, two lines, a level above 3, a level of the other side.
  const std::string contents[] = {"x\n", BotText(kLightExample) + BotText(kDarkExample),
                                  BotText("7-1-433211000200001211"), BotText("7-1-000000100000000000")};
  for (const std::string& bytes : contents) {
    cases.emplace_back(folder_.Write(std::to_wstring(cases.size()) + L".qeb", bytes), Problem(bytes));
  }
  for (const auto& [path, message] : cases) {
    SCOPED_TRACE(std::string(message.begin(), message.end()));
    window_->OpenBotFile(path);
    EXPECT_EQ(Messages(), std::vector{message});
    EXPECT_EQ(Snapshot(window_->Window()), before);
  }
}

TEST_F(BotFileTest, SaveWritesTheLineIntoTheFileAsItIsNow) {
  window_->OpenBotFile(folder_.Write(L"bot.qeb", BotText(kLightExample)));
  // Edited elsewhere after the open: the line has moved down.
  folder_.Write(L"bot.qeb", "// tuned\n" + BotText(kLightExample) + "last");
  Type(ForcePower::Jump, L"2");
  Command(IDM_SAVE);
  EXPECT_EQ(folder_.Read(L"bot.qeb"), "// tuned\n" + BotText("7-1-323211000200001211") + "last");
  EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"bot.qeb"});
  EXPECT_TRUE(Messages().empty());
}

TEST_F(BotFileTest, AFailedSaveLeavesTheFileAsItWasAndNoCopy) {
  const std::string twoLines = BotText(kLightExample) + BotText(kLightExample);
  const struct {
    std::string_view name;
    void (*change)(const BotFolder& folder);
    std::wstring message;
    std::vector<std::wstring> names;
  } cases[] = {
      {"ReadOnly",
       [](const BotFolder& f) { SetFileAttributesW(f.Path(L"bot.qeb").c_str(), FILE_ATTRIBUTE_READONLY); },
       L"The file \"bot.qeb\" is read-only. Clear its Read-only attribute (in the file's Properties) and save again.",
       {L"bot.qeb"}},
      {"Gone",
       [](const BotFolder& f) { DeleteFileW(f.Path(L"bot.qeb").c_str()); },
       L"The file \"bot.qeb\" cannot be found. It may have been moved, renamed or deleted.",
       {}},
      {"TwoLines",
       [](const BotFolder& f) { f.Write(L"bot.qeb", BotText(kLightExample) + BotText(kLightExample)); },
       Problem(twoLines),
       {L"bot.qeb"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const BotFolder folder(c.name);
    window_->OpenBotFile(folder.Write(L"bot.qeb", BotText(kLightExample)));
    c.change(folder);
    const std::string bytes = folder.Read(L"bot.qeb");
    Type(ForcePower::Jump, L"2");
    Command(IDM_SAVE);
    EXPECT_EQ(Messages(), std::vector{c.message + L" Nothing was saved."});
    EXPECT_EQ(folder.Names(), c.names);
    EXPECT_EQ(folder.Read(L"bot.qeb"), bytes);
  }
}

TEST_F(BotFileTest, SaveWithNoFileOpenAsksForTheFileInTheDialog) {
  const std::wstring path = folder_.Write(L"new.qeb", BotText("7-1-000000000000000000"));
  Type(ForcePower::Jump, L"3");
  const std::jthread answer = AnswerFileDialog(L"Save to Bot File", path);
  Command(IDM_SAVE);
  EXPECT_EQ(folder_.Read(L"new.qeb"), BotText("7-1-030000000000000000"));
  EXPECT_EQ(Caption(), L"Zenthra - new.qeb");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace zenthra::ui::test
