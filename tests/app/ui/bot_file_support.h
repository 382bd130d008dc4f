#pragma once
// Bot files for the window tests: a folder of their own, removed afterwards,
// and what the main window shows once it has opened a value.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "force/force_info_line.h"
#include "force/power_table.h"
#include "remote_program.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {

// The two worked examples of the force info value.
inline constexpr std::string_view kLightExample = "7-1-333211000200001211";
inline constexpr std::string_view kDarkExample = "7-2-022110331000020221";

// A bot file around a value, with lines before and after its line.
inline std::string BotText(std::string_view value) {
  return "name \"Kyle\"\r\nforceinfo       " + std::string(value) + "\r\nweapons 1\r\n";
}

inline std::wstring Widened(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// A folder of the test's own, named after the test and `name`.
class BotFolder {
 public:
  explicit BotFolder(std::string_view name = {})
      : path_(std::filesystem::temp_directory_path() /
              ("zenthra-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + std::string(name))) {
    std::filesystem::create_directories(path_);
  }
  ~BotFolder() {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::wstring Write(std::wstring_view name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return Path(name);
  }
  std::wstring Path(std::wstring_view name) const { return (path_ / name).wstring(); }
  std::string Read(std::wstring_view name) const {
    std::ostringstream bytes;
    bytes << std::ifstream(path_ / name, std::ios::binary).rdbuf();
    return bytes.str();
  }
  // The names in the folder: a save leaves no copy of its own behind.
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    std::ranges::sort(names);
    return names;
  }

 private:
  std::filesystem::path path_;
};

// A control of a main window of this process or another.
inline HWND ControlOf(HWND main, std::wstring_view name) {
  return GetDlgItem(main, ControlId(LayoutIndexOf(name).value()));
}

// The side, the 18 boxes and txtforce after a value was opened: the boxes
// show their levels as their list does, the other side's are disabled.
inline void ExpectShowsValue(HWND main, std::string_view value) {
  using zenthra::test::TextOf;
  SCOPED_TRACE(std::string(value));
  const bool light = value[2] == '1';
  EXPECT_EQ(SendMessageW(ControlOf(main, L"optlight"), BM_GETCHECK, 0, 0), light ? BST_CHECKED : BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(ControlOf(main, L"optdark"), BM_GETCHECK, 0, 0), light ? BST_UNCHECKED : BST_CHECKED);
  for (std::size_t i = 0; i < kPowerCount; ++i) {
    const PowerRow& row = RowOf(PowersInLineOrder()[i]);
    HWND box = ControlOf(main, row.box);
    EXPECT_EQ(TextOf(box), (std::wstring{L'0', static_cast<wchar_t>(value[4 + i])}));
    EXPECT_EQ(IsWindowEnabled(box) != FALSE, row.group != (light ? PowerGroup::Dark : PowerGroup::Light));
  }
  EXPECT_EQ(TextOf(ControlOf(main, L"txtforce")), std::wstring(kForceInfoKeyAndGap) + Widened(value));
}

}  // namespace zenthra::ui::test
