// The release zip on a clean machine: unpacked into an empty folder of a
// Wine prefix made for this run, where nothing was ever registered,
// Zenthra.exe starts, Go gives the line, and Help > About shows its three
// link labels live from the tessarel.ocx beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_window.h"
#include "force/force_info_line.h"
#include "remote_program.h"
#include "window_driver.h"
#include "shell/app_identity.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "win32/unique_handle.h"

namespace zenthra::release::test {
namespace {

using zenthra::test::ChildrenOfClass;
using zenthra::test::RemoteProgram;
using zenthra::test::TextOf;

// Where the test's fixture unpacked the zip inside the fresh prefix.
constexpr wchar_t kReleaseFolder[] = L"C:\\Portable Zenthra";
// The window class of the control's own window (linkctl/label_window.cpp).
constexpr wchar_t kLinkLabelClass[] = L"TessarelLinkLabel";

std::wstring ReleaseFile(const wchar_t* name) { return std::wstring(kReleaseFolder) + L"\\" + name; }

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The result of opening HKEY_CLASSES_ROOT\subkey: ERROR_FILE_NOT_FOUND when
// it is not there.
LSTATUS OpenClassesKey(const wchar_t* subkey) {
  win32::UniqueHkey key;
  return RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey, 0, KEY_READ, key.put());
}

void ExpectNothingRegistered() {
  EXPECT_EQ(OpenClassesKey(L"Tessarel.tessarelcontrol"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(OpenClassesKey(L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(OpenClassesKey(L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}"), ERROR_FILE_NOT_FOUND);
}

int IdOf(std::wstring_view control) { return ui::ControlId(ui::LayoutIndexOf(control).value()); }

class ReleaseZip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(ReleaseFile(L"Zenthra.exe"))) << "not run in the prefix the zip was unpacked into";
    ASSERT_TRUE(program_.Started()) << "CreateProcess failed: " << program_.Error();
    main_ = program_.WaitForWindow(ui::kMainWindowClass, ui::kMainWindowCaption);
    ASSERT_NE(main_, nullptr) << "Zenthra ended without showing its window";
  }

  // File > Exit ends the program cleanly.
  void ExitThroughTheMenu() {
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_EQ(program_.WaitForExit(), 0u);
  }

  RemoteProgram program_{ReleaseFile(L"Zenthra.exe")};
  HWND main_ = nullptr;
};

TEST(ReleaseFolder, HoldsTheProgramTheLibraryAndTheReadmeWithNothingRegistered) {
  for (const wchar_t* name : {L"Zenthra.exe", L"tessarel.ocx", L"README.txt"})
    EXPECT_TRUE(FileExists(ReleaseFile(name))) << "missing " << name;
  ExpectNothingRegistered();
}

TEST_F(ReleaseZip, GoOnAFreshWindowGivesTheLine) {
  HWND line = GetDlgItem(main_, IdOf(L"txtforce"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(TextOf(line), zenthra::kForceInfoPrompt);

  SendMessageW(GetDlgItem(main_, IdOf(L"cmdgo")), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(line), L"forceinfo       7-1-000000000000000000");
  ExitThroughTheMenu();
}

TEST_F(ReleaseZip, HelpAboutShowsThreeLiveLinkLabelsWithoutRegistering) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  const std::wstring caption = L"About " + std::wstring(shell::kAppTitle);
  HWND about = program_.WaitForWindow(about::kAboutWindowClass, caption);
  ASSERT_NE(about, nullptr);

  // The labels are made while the dialog is created, before it shows.
  const std::vector<HWND> labels = ChildrenOfClass(about, kLinkLabelClass);
  ASSERT_EQ(labels.size(), 3u) << "the dialog fell back to plain labels: the control did not load";
  RECT dialog{};
  ASSERT_TRUE(GetWindowRect(about, &dialog));
  for (HWND label : labels) {
    EXPECT_EQ(GetParent(label), about);
    EXPECT_TRUE(IsWindowVisible(label));
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(label, &rect));
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &rect, &dialog) && EqualRect(&inside, &rect))
        << "a label lies outside the dialog";
    EXPECT_GT(rect.right - rect.left, 0);
    EXPECT_GT(rect.bottom - rect.top, 0);
  }

  PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  ExitThroughTheMenu();
  ExpectNothingRegistered();
}

}  // namespace
}  // namespace zenthra::release::test
