#pragma once
// Bot files for the window tests, in a folder of the test's own, and what
// the main window shows once it has opened a value.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "force/force_info_line.h"
#include "force/power_table.h"
#include "remote_program.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::test {

inline constexpr std::string_view kLightExample = "7-1-333211000200001211";
inline constexpr std::string_view kDarkExample = "7-2-022110331000020221";

// A bot file with lines before and after its force info line.
inline std::string BotText(std::string_view value) {
  return "name \"Kyle\"\r\nforceinfo       " + std::string(value) + "\r\nweapons 1\r\n";
}

// Named after the test and `name`; removed with all it holds.
class BotFolder {
 public:
  explicit BotFolder(std::string_view name = {})
      : path_(std::filesystem::temp_directory_path() /
              ("zenthra-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
               std::string(name))) {
    std::filesystem::create_directories(path_);
  }
  ~BotFolder() {
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::wstring Path(std::wstring_view name) const { return (path_ / name).wstring(); }
  std::wstring Write(std::wstring_view name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
    return Path(name);
  }
  std::string Read(std::wstring_view name) const {
    return (std::ostringstream() << std::ifstream(path_ / name, std::ios::binary).rdbuf()).str();
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    return names;
  }

 private:
  std::filesystem::path path_;
};

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
