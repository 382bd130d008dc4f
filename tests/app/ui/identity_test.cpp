// The application's identity as Windows reads it from the program file: the
// icon images, the version record and the manifest's settings.

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "shell/app_identity.h"
#include "ui/main_window_controls.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::ui::test {
namespace {

// Every size of the icon loads as a picture of that size, also the large
// ones that the icon file keeps as PNG. The test program carries the same
// resources as Zenthra.exe.
TEST(Identity, IconLoadsAtEverySize) {
  for (int size : {16, 24, 32, 48, 64, 72, 96, 128}) {
    SCOPED_TRACE(size);
    const win32::UniqueHicon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ZENTHRA), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    const win32::UniqueHbitmap colour(info.hbmColor);
    const win32::UniqueHbitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.get(), sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
  }
}

TEST(Identity, VersionRecordOfZenthraExe) {
  const std::wstring exe = zenthra::test::ProgramFolder() + L"Zenthra.exe";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_NE(size, 0u);
  std::vector<std::byte> record(size);
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, record.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));

  const std::pair<const wchar_t*, const wchar_t*> strings[] = {
      {L"ProductName", L"Orvane"}, {L"InternalName", L"Zenthra"}, {L"OriginalFilename", L"Zenthra.exe"},
      {L"FileVersion", L"1.00"},   {L"ProductVersion", L"1.00"},  {L"CompanyName", L"Zenthra developers"}};
  for (const auto& [name, expected] : strings) {
    SCOPED_TRACE(::testing::Message() << name);
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    ASSERT_TRUE(VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
    EXPECT_STREQ(value, expected);
  }
}

TEST(Identity, ManifestMakesTheProgramPerMonitorDpiAware) {
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

// The layout table itself: each tab index once, and the controls created
// focusable ones in tab index order, each level box right after its caption
// label, every control once.
TEST(LayoutTable, TabIndexesAreEachUsedOnceAndDecideTheCreationOrder) {
  std::array<int, kControlCount> uses{};
  for (const ControlSpec& entry : kMainWindowLayout) {
    ASSERT_GE(entry.tabIndex, 0);
    ASSERT_LT(entry.tabIndex, kControlCount);
    ++uses[static_cast<std::size_t>(entry.tabIndex)];
  }
  for (int count : uses) EXPECT_EQ(count, 1);

  const auto order = CreationOrder();
  std::array<int, kControlCount> created{};
  int lastFocusable = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    ++created[order[i]];
    const ControlSpec& entry = kMainWindowLayout[order[i]];
    if (!TakesFocus(entry.kind)) continue;
    EXPECT_LT(lastFocusable, entry.tabIndex);
    lastFocusable = entry.tabIndex;
    if (const auto label = CaptionLabelOf(order[i])) {
      EXPECT_TRUE(i > 0 && order[i - 1] == *label);
    }
  }
  for (int count : created) EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace zenthra::ui::test
