// Bot files in the real window: opened by a drop, refused with a message and
// the window untouched, saved into the file as it is now or not at all, and
// the file dialog.

#include <functional>
#include <optional>
#include <tuple>

#include "force/bot_editing.h"
#include "force/bot_file.h"
#include "main_window_fixture.h"
#include "ui/resource_ids.h"

namespace zenthra::ui::test {
namespace {

// What the user sees: the caption, each control's text, state and check.
std::vector<std::wstring> Snapshot(HWND main) {
  std::vector<std::wstring> seen{TextOf(main)};
  for (const ControlSpec& control : kMainWindowLayout) {
    HWND child = ControlOf(main, control.name);
    seen.push_back(TextOf(child) +
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
    if (shortcut) return PressKeyInProgram(windows_, 'S', VK_CONTROL, window_->Window());
    PostMessageW(window_->Window(), WM_COMMAND, IDM_SAVE, 0);
    Pump();
  }

  BotFolder folder_;
};

// One bot at a time: a drop of several opens none and says why.
TEST_F(BotFileTest, ADroppedBotOpensWithoutAMessageAndSeveralOpenNone) {
  const std::wstring light = folder_.Write(L"light.qeb", BotText(kLightExample));
  const std::wstring dark = folder_.Write(L"dark.qeb", BotText(kDarkExample));
  for (const auto& [paths, value, caption, message] :
       {std::tuple{std::vector{light}, kLightExample, L"Zenthra - light.qeb", L""},
        std::tuple{std::vector{dark, light}, kLightExample, L"Zenthra - light.qeb", kOneBotAtATime.data()},
        std::tuple{std::vector{dark}, kDarkExample, L"Zenthra - dark.qeb", L""}}) {
    Drop(window_->Window(), paths);
    Pump();
    ExpectShowsValue(window_->Window(), value);
    EXPECT_EQ(TextOf(window_->Window()), caption);
    EXPECT_EQ(Messages(), *message ? std::vector<std::wstring>{message} : std::vector<std::wstring>{});
  }
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
  // No line, two lines; a level above 3 and a level of the other side, whose
  // question whether to repair them is answered No.
  for (const std::string& bytes : {std::string("x\n"), BotText(kLightExample) + BotText(kDarkExample),
                                   BotText("7-1-433211000200001211"), BotText("7-1-000000100000000000")}) {
    const auto problem = std::get<BotFileProblem>(ReadBotFile(bytes));
    cases.emplace_back(folder_.Write(std::to_wstring(cases.size()) + L".qeb", bytes),
                       problem.lines.size() == 1 ? RepairQuestion(problem) : ProblemMessage(problem));
  }
  for (const auto& [path, message] : cases) {
    watcher_.Answer({IDNO});
    window_->OpenBotFile(path);
    EXPECT_EQ(Messages(), std::vector{message});
    EXPECT_EQ(Snapshot(window_->Window()), before);
  }
}

// A bot at the end of a folder path `length` characters long, made in `folder`.
std::wstring InFolderOfLength(const BotFolder& folder, std::size_t length) {
  std::wstring relative;
  for (std::size_t left = length - (folder.Path(L"").size() - 1); left > 0;) {
    const std::size_t part = std::min<std::size_t>(left - (relative.empty() ? 0 : 1), 200);
    relative += (relative.empty() ? L"" : L"\\") + std::wstring(part, L'd');
    left -= part + (relative.size() > part ? 1 : 0);
  }
  std::filesystem::create_directories(folder.Path(relative));
  return relative + L"\\bot.qeb";
}

// Jump goes from 3 to 2, and the file changes meanwhile: a save writes the
// value into the file as it is now, or tells why not and leaves it as it is.
// Either way no other file is left, and the file keeps its attributes.
TEST_F(BotFileTest, SaveWritesIntoTheFileAsItIsNowOrLeavesItAsItWas) {
  const std::string edited = "// edited elsewhere\n" + BotText(kLightExample) + "last";  // the line moved down
  const std::string twoLines = BotText(kLightExample) + BotText(kLightExample);
  const std::string loneCr = "name\rforceinfo       " + std::string(kLightExample) + ";weapons 1\rnext\n";
  const std::string malformed = "forceinfo 7-1-33321100020000121}";
  const std::string atLimit = BotText(kLightExample) + std::string(kBotFileSizeLimit - BotText("").size() - 22, ' ');
  const std::wstring kept = L"\"bot.qeb\" is in use by another program or protected, so it cannot be replaced.";
  std::optional<win32::UniqueFile> held;
  const struct {
    const char* name;
    std::function<void(BotFolder&, const std::wstring& file)> change;
    std::wstring message;        // none: saved
    std::wstring alsoShows{};    // another name of the file, which shows what it shows
    std::size_t folderLength{};  // of the bot's folder path; 0: the case's own folder
  } cases[] = {
      {"Edited", [&](BotFolder& f, auto& file) { f.Write(file, edited); }, L""},
      {"ReadOnly", [](BotFolder& f, auto& file) { SetFileAttributesW(f.Path(file).c_str(), FILE_ATTRIBUTE_READONLY); },
       L"The file \"bot.qeb\" is read-only. Clear its Read-only attribute (in the file's Properties) and save again."},
      {"Hidden",
       [](BotFolder& f, auto& file) {
         SetFileAttributesW(f.Path(file).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
       },
       L""},
      {"Gone", [](BotFolder& f, auto& file) { DeleteFileW(f.Path(file).c_str()); },
       L"The file \"bot.qeb\" cannot be found. It may have been moved, renamed or deleted."},
      {"TwoLines", [&](BotFolder& f, auto& file) { f.Write(file, twoLines); }, Problem(twoLines)},
      {"LoneCr", [&](BotFolder& f, auto& file) { f.Write(file, loneCr); }, L""},
      {"Malformed", [&](BotFolder& f, auto& file) { f.Write(file, malformed); }, Problem(malformed)},
      {"TooLarge", [&](BotFolder& f, auto& file) { f.Write(file, atLimit + " "); },
       ProblemMessage({.kind = BotFileProblemKind::TooLarge, .lines = {}})},
      {"AtTheLimit", [&](BotFolder& f, auto& file) { f.Write(file, atLimit); }, L""},
      {"HeldOpen",
       [&](BotFolder& f, auto& file) {
         held.emplace(CreateFileW(f.Path(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
       },
       L"The file " + kept},
      {"SymbolicLink",
       [](BotFolder& f, auto& file) {
         std::filesystem::rename(f.Path(file), f.Path(L"target.qeb"));
         f.Link(file, L"target.qeb");
       },
       L"", L"target.qeb"},
      {"HardLink",
       [](BotFolder& f, auto& file) { CreateHardLinkW(f.Path(L"other.qeb").c_str(), f.Path(file).c_str(), nullptr); },
       L"", L"other.qeb"},
      {"Folder259", [](BotFolder&, auto&) {}, L"", L"", 259},
      {"Folder300", [](BotFolder&, auto&) {}, L"", L"", 300},
      {"DiskFull",
       [](BotFolder& f, auto& file) {
         f.Mount(64);
         f.Write(file, BotText(kLightExample) + std::string(40 * 1024, ' '));
       },
       L"There is not enough room on the disk to save \"bot.qeb\"."},
      {"FolderNotWritable",
       [](BotFolder& f, auto& file) {
         f.Mount(64);
         f.Write(file, BotText(kLightExample));
         f.MakeReadOnly();
       },
       L"Saving writes a new copy of \"bot.qeb\" in its folder first, and the folder does not allow this program to "
       L"create files in it."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BotFolder folder(c.name);
    const std::wstring file = c.folderLength != 0 ? InFolderOfLength(folder, c.folderLength) : L"bot.qeb";
    window_->OpenBotFile(folder.Write(file, BotText(kLightExample)));
    c.change(folder, file);
    const std::vector<std::wstring> names = folder.Names();
    const DWORD attributes = GetFileAttributesW(folder.Path(file).c_str());
    std::string bytes = folder.Read(file);
    if (c.message.empty()) bytes.replace(bytes.find(kLightExample), kLightExample.size(), "7-1-323211000200001211");
    Type(ForcePower::Jump, L"2");
    Save(c.message.empty());
    EXPECT_EQ(Messages(),
              c.message.empty() ? std::vector<std::wstring>{} : std::vector{c.message + L" Nothing was saved."});
    held.reset();
    EXPECT_EQ(folder.Names(), names);
    EXPECT_EQ(GetFileAttributesW(folder.Path(file).c_str()), attributes);
    EXPECT_EQ(folder.Read(file), bytes);
    if (!c.alsoShows.empty()) {
      EXPECT_EQ(folder.Read(c.alsoShows), bytes);
    }
  }
}

// No user can reach a disabled box, but another program can type into it or
// pick from its list: the box goes back to "00" at once, without a message,
// and a save keeps the rules.
TEST_F(BotFileTest, WhatAnotherProgramPutsIntoADisabledBoxNeverReachesTheFile) {
  window_->OpenBotFile(folder_.Write(L"bot.qeb", BotText(kLightExample)));
  HWND grip = Box(ForcePower::Grip);  // of the Dark side, disabled
  HWND edit = GetWindow(grip, GW_CHILD);
  const auto notify = [&](int code) {
    SendMessageW(window_->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(grip), code), reinterpret_cast<LPARAM>(grip));
  };
  for (const auto& interfere : std::initializer_list<std::function<void()>>{
           [&] { SetWindowTextW(edit, L"3"), notify(CBN_EDITCHANGE); },
           [&] { PostMessageW(edit, WM_CHAR, L'2', 1), notify(CBN_EDITCHANGE); },
           [&] { SendMessageW(grip, CB_SETCURSEL, 3, 0), notify(CBN_SELCHANGE); }}) {
    interfere();
    Pump();
    EXPECT_EQ(BoxText(ForcePower::Grip), L"00");
    EXPECT_EQ(Level(ForcePower::Grip), 0);
  }
  Save(true);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(folder_.Read(L"bot.qeb"), BotText(kLightExample));
}

// With no file open, and with Save As, the user picks the bot in the Save
// dialog and is asked before its settings are replaced; a cancelled dialog
// and No save nothing. Once saved, the window is on that bot.
TEST_F(BotFileTest, SavingIntoAnotherBotAsksFirst) {
  const std::string other = BotText("7-2-033230330000003000"), saved = BotText("7-1-030000000000000000");
  const auto question = [](std::wstring_view name) {
    return L"Replace the force settings of " + std::wstring(name) +
           L"?\n\nnow: 7-2-033230330000003000 (Dark, 20 points)\nnew: 7-1-030000000000000000 (Light, 3 points)";
  };
  Type(ForcePower::Jump, L"3");
  for (const auto& [command, name, answer] : {std::tuple{IDM_SAVE, L"", 0},
                                              {IDM_SAVE, L"drell.qeb", IDNO},
                                              {IDM_SAVE, L"drell.qeb", IDYES},
                                              {IDM_SAVE_AS, L"kessa.qeb", IDYES}}) {
    const std::wstring path = *name ? folder_.Write(name, other) : L"";
    if (answer != 0) watcher_.Answer({answer});
    const std::jthread dialog =
        AnswerFileDialog(command == IDM_SAVE ? L"Save to Bot File" : L"Save to Bot File As", path);
    PostMessageW(window_->Window(), WM_COMMAND, command, 0);
    Pump();
    EXPECT_EQ(Messages(), answer != 0 ? std::vector{question(name)} : std::vector<std::wstring>{});
    if (*name) {
      EXPECT_EQ(folder_.Read(name), answer == IDYES ? saved : other);
    }
    EXPECT_EQ(TextOf(window_->Window()), answer == IDYES ? L"Zenthra - " + std::wstring(name) : L"Zenthra");
  }
}

}  // namespace
}  // namespace zenthra::ui::test
