#pragma once
// Bot files for the window tests, in a folder of the test's own, and what
// the main window shows once it has opened a value.

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "force/force_info_line.h"
#include "force/power_table.h"
#include "bounded_wait.h"
#include "window_driver.h"
#include "botfile/bot_file_storage.h"
#include "ui/main_window_layout.h"
#include "win32/unique_handle.h"

namespace zenthra::ui::test {

inline constexpr std::string_view kLightExample = "7-1-333211000200001211";
inline constexpr std::string_view kDarkExample = "7-2-022110331000020221";

// A bot file with lines before and after its force info line.
inline std::string BotText(std::string_view value) {
  return "name \"Kyle\"\r\nforceinfo       " + std::string(value) + "\r\nweapons 1\r\n";
}

// The path on the machine that Wine runs on.
inline std::string HostPath(const std::filesystem::path& path) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unixName == nullptr) return {};
  char* name = unixName(path.c_str());
  std::string result = name != nullptr ? name : "";
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Runs a shell command on the machine that Wine runs on (Wine starts its
// programs as such) and waits up to 10 s for it. Wine hands out no handle
// to such a process, so the command leaves its exit status in a file.
inline void RunHostCommand(const std::string& command) {
  const std::filesystem::path status =
      std::filesystem::temp_directory_path() / ("zenthra-host-" + std::to_string(GetCurrentProcessId()) + ".status");
  std::filesystem::remove(status);
  std::wstring line =
      L"Z:\\bin\\sh -c \"" + std::filesystem::path(command + "; echo $? >'" + HostPath(status) + "'").wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      << "cannot start the host's shell for: " << command;
  const win32::UniqueKernelHandle owned(process.hProcess), thread(process.hThread);
  std::string result;
  zenthra::test::WaitUntil([&] { return static_cast<bool>(std::ifstream(status) >> result); }, 10000);
  std::filesystem::remove(status);
  ASSERT_EQ(result, "0") << command << (result.empty() ? ": did not end within 10 s" : ": failed");
}

// Named after the test and `name`; removed with all it holds.
class BotFolder {
 public:
  explicit BotFolder(std::string_view name = {})
      : path_(std::filesystem::temp_directory_path() /
              ("zenthra-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               std::string(name))) {
    std::error_code ignored;  // what an earlier run that was stopped may have left
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_);
  }
  // The host removes it, whatever the folder holds: links whose target is
  // gone, which Wine does not see, a mount, paths of any length.
  ~BotFolder() {
    RunHostCommand((mounted_ ? "umount -l '" + HostPath(path_) + "' && " : std::string()) + "rm -rf '" +
                   HostPath(path_) + "'");
  }
  // A file system of its own over the folder, `kib` KiB small, read-only
  // once `readOnly` is called: what a full disk or a locked folder gives.
  void Mount(int kib) {
    RunHostCommand("mount -t tmpfs -o size=" + std::to_string(kib) + "k tmpfs '" + HostPath(path_) + "'");
    mounted_ = true;
    ASSERT_TRUE(std::filesystem::is_empty(path_)) << "no file system mounted (it takes root)";
  }
  void MakeReadOnly() {
    RunHostCommand("mount -o remount,ro '" + HostPath(path_) + "'");
    EXPECT_FALSE(std::ofstream(path_ / L"probe")) << "the folder can still be written";
  }
  // A symbolic link `name` to `target`, made by the host: Wine's
  // CreateSymbolicLinkW makes none, yet follows the host's links.
  void Link(std::wstring_view name, std::wstring_view target) const {
    const std::string link = HostPath(path_ / name);
    RunHostCommand("ln -s '" + std::filesystem::path(target).string() + "' '" + link + "' && test -L '" + link + "'");
  }
  std::wstring Path(std::wstring_view name) const { return (path_ / name).wstring(); }
  std::wstring Write(std::wstring_view name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return Path(name);
  }
  std::string Read(std::wstring_view name) const {
    return (std::ostringstream() << std::ifstream(path_ / name, std::ios::binary).rdbuf()).str();
  }
  // What the folder holds, subfolders with what they hold, at any depth.
  std::vector<std::wstring> Names(const std::wstring& relative = {}) const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const win32::UniqueFindHandle search(
        FindFirstFileW(botfile::ExtendedPath(Path(relative) + L"\\*").c_str(), &found));
    for (bool more = !!search; more; more = FindNextFileW(search.get(), &found)) {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      names.push_back(relative + name);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        for (std::wstring& inside : Names(relative + name + L"\\")) names.push_back(std::move(inside));
    }
    return names;
  }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
};

// As the shell posts it: the header, each path with its NUL, one more NUL.
inline void Drop(HWND window, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const std::wstring& path : paths) names += path + L'\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  *header = {.pFiles = sizeof(DROPFILES), .pt = {}, .fNC = FALSE, .fWide = TRUE};
  std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// A control of a main window of this process or another.
inline HWND ControlOf(HWND main, std::wstring_view name) {
  return GetDlgItem(main, ControlId(LayoutIndexOf(name).value()));
}

// The side, each box at its level as its list shows it (the other side's
// disabled) and the line in txtforce.
inline void ExpectShowsValue(HWND main, std::string_view value) {
  using zenthra::test::TextOf;
  const bool light = value[2] == '1';
  EXPECT_EQ(SendMessageW(ControlOf(main, L"optlight"), BM_GETCHECK, 0, 0), light ? BST_CHECKED : BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(ControlOf(main, L"optdark"), BM_GETCHECK, 0, 0), light ? BST_UNCHECKED : BST_CHECKED);
  for (std::size_t i = 0; i < kPowerCount; ++i) {
    const PowerRow& row = RowOf(PowersInLineOrder()[i]);
    EXPECT_EQ(TextOf(ControlOf(main, row.box)), (std::wstring{L'0', static_cast<wchar_t>(value[4 + i])}));
    EXPECT_EQ(IsWindowEnabled(ControlOf(main, row.box)) != FALSE,
              row.group != (light ? PowerGroup::Dark : PowerGroup::Light));
  }
  EXPECT_EQ(TextOf(ControlOf(main, L"txtforce")),
            std::wstring(kForceInfoKeyAndGap) + std::wstring(value.begin(), value.end()));
}

}  // namespace zenthra::ui::test
