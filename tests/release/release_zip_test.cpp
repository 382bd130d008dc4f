// The release zip on a clean machine: unpacked into an empty folder of a
// Wine prefix made for this run, where nothing was ever registered,
// Zenthra.exe starts, Go gives the line, and Help > About shows its three
// link labels live from the tessarel.ocx beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "about/about_window.h"
#include "force/force_info_line.h"
#include "remote_window.h"
#include "ui/app_identity.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"

namespace zenthra::release::test {
namespace {

// Where the test's fixture unpacked the zip inside the fresh prefix.
constexpr wchar_t kReleaseFolder[] = L"C:\\Portable Zenthra";
// The window class of the control's own window (linkctl/label_window.cpp).
constexpr wchar_t kLinkLabelClass[] = L"TessarelLinkLabel";

std::wstring releaseFile(const wchar_t* name) { return std::wstring(kReleaseFolder) + L"\\" + name; }

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The result of opening HKEY_CLASSES_ROOT\subkey: ERROR_FILE_NOT_FOUND when
// it is not there.
LSTATUS openClassesKey(const wchar_t* subkey) {
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey, 0, KEY_READ, &key);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status;
}

void expectNothingRegistered() {
  EXPECT_EQ(openClassesKey(L"Tessarel.tessarelcontrol"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(openClassesKey(L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(openClassesKey(L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}"), ERROR_FILE_NOT_FOUND);
}

int idOf(std::wstring_view control) { return ui::controlId(ui::layoutIndexOf(control).value()); }

class ReleaseZip : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(releaseFile(L"Zenthra.exe"))) << "not run in the prefix the zip was unpacked into";
    ASSERT_TRUE(program_.started()) << "CreateProcess failed: " << program_.error();
    main_ = program_.waitForWindow(ui::kMainWindowClass, ui::kMainWindowCaption);
    ASSERT_NE(main_, nullptr) << "Zenthra ended without showing its window";
  }

  // File > Exit ends the program cleanly.
  void exitThroughTheMenu() {
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_EQ(program_.waitForExit(), 0u);
  }

  RemoteProgram program_{releaseFile(L"Zenthra.exe")};
  HWND main_ = nullptr;
};

TEST(ReleaseFolder, HoldsTheProgramTheLibraryAndTheReadmeWithNothingRegistered) {
  for (const wchar_t* name : {L"Zenthra.exe", L"tessarel.ocx", L"README.txt"}) {
    EXPECT_TRUE(fileExists(releaseFile(name))) << "missing " << name;
  }
  expectNothingRegistered();
}

TEST_F(ReleaseZip, GoOnAFreshWindowGivesTheLine) {
  HWND line = GetDlgItem(main_, idOf(L"txtforce"));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(textOf(line), zenthra::kForceInfoPrompt);

  SendMessageW(GetDlgItem(main_, idOf(L"cmdgo")), BM_CLICK, 0, 0);
  EXPECT_EQ(textOf(line), L"forceinfo       7-1-000000000000000000");
  exitThroughTheMenu();
}

TEST_F(ReleaseZip, HelpAboutShowsThreeLiveLinkLabelsWithoutRegistering) {
  PostMessageW(main_, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
  const std::wstring caption = L"About " + std::wstring(ui::kAppTitle);
  HWND about = program_.waitForWindow(about::kAboutWindowClass, caption);
  ASSERT_NE(about, nullptr);

  // The labels are made while the dialog is created, before it shows.
  const std::vector<HWND> labels = childrenOfClass(about, kLinkLabelClass);
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
  exitThroughTheMenu();
  expectNothingRegistered();
}

}  // namespace
}  // namespace zenthra::release::test
