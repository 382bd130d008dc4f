// The per-user MSI on a clean machine, in a Wine prefix made for this run:
// msiexec installs it silently, the Start menu shortcut names the installed
// program, which opens a bot file through the registered open verb and shows
// its link labels registration-free, and msiexec removes it all again,
// leaving the user's registry and folders exactly as they were. Once with
// .qeb free, once with .qeb owned by another program, once upgraded.
#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <set>
#include <string>

#include "about/about_window.h"
#include "bot_file_support.h"
#include "remote_program.h"
#include "shell/app_identity.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "win32/ole_initialization.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::release::test {
namespace {

using zenthra::test::RemoteProgram;
using Snapshot = std::set<std::wstring>;

// Fixed for every version: what makes a newer package replace an older one.
constexpr wchar_t kUpgradeCode[] = L"{26DFBECB-1978-41EA-9257-6A8C67C069DC}";
constexpr wchar_t kClasses[] = L"Software\\Classes";

std::wstring ClassKey(const std::wstring& key) { return std::wstring(kClasses) + L"\\" + key; }

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  EXPECT_HRESULT_SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path));
  const std::wstring result = path != nullptr ? path : L"";
  CoTaskMemFree(path);
  return result;
}

std::wstring InstallFolder() { return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Zenthra"; }

// msiexec's exit code for `arguments`.
DWORD Msiexec(const std::wstring& arguments) {
  RemoteProgram msiexec(L"C:\\windows\\system32\\msiexec.exe", arguments + L" /qn");
  EXPECT_TRUE(msiexec.Started()) << "msiexec did not start: " << msiexec.Error();
  return msiexec.WaitForExit();
}

// The packages of this build: the release's beside the build's bin folder,
// where this test runs from, and the next version's in installer\.
std::filesystem::path BuildFolder() {
  return std::filesystem::path(zenthra::test::ProgramFolder()).parent_path().parent_path();
}
std::wstring ReleasePackageName() {
  return L"Zenthra-" + std::to_wstring(shell::kVersionMajor) + L"." + std::to_wstring(shell::kVersionMinor) + L"." +
         std::to_wstring(shell::kVersionRevision) + L".msi";
}

// Every key and value under HKCU\Software as "key|name=type:data" lines,
// but Wine's own, which change as windows are shown, and the recent
// documents, which opening a bot file adds to.
void AddKeys(HKEY key, const std::wstring& path, Snapshot& lines) {
  lines.insert(path);
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256, type = 0, size = 2048;
    BYTE data[2048];
    const LSTATUS status = RegEnumValueW(key, i, name, &length, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    lines.insert(path + L"|" + name + L"=" + std::to_wstring(type) + L":" +
                 (status == ERROR_SUCCESS ? std::wstring(reinterpret_cast<wchar_t*>(data), size / 2) : L"(long)"));
  }
  wchar_t name[256];
  for (DWORD i = 0, length = 256;
       RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, length = 256) {
    const std::wstring sub = path + L"\\" + name;
    win32::UniqueHkey child;
    if (sub != L"Software\\Wine" && !sub.ends_with(L"\\Explorer\\RecentDocs") &&
        RegOpenKeyExW(key, name, 0, KEY_READ, child.put()) == ERROR_SUCCESS)
      AddKeys(child.get(), sub, lines);
  }
}

// The user's keys, and the folders that an install writes to: LocalAppData
// but its Temp folder (the test's own bot files), and the Start menu.
Snapshot TakeSnapshot() {
  Snapshot lines;
  win32::UniqueHkey software;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, software.put()), ERROR_SUCCESS);
  AddKeys(software.get(), L"Software", lines);
  for (const std::wstring& folder : {KnownFolder(FOLDERID_LocalAppData), KnownFolder(FOLDERID_Programs)}) {
    for (auto it = std::filesystem::recursive_directory_iterator(folder); it != decltype(it)(); ++it) {
      if (it->path().filename() == L"Temp") it.disable_recursion_pending();
      lines.insert(it->path().wstring());
    }
  }
  return lines;
}

// The default (unnamed) value of HKCU\Software\Classes\`key`, or `name`.
std::wstring ClassValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024] = L"<none>";
  DWORD size = sizeof(data);
  RegGetValueW(HKEY_CURRENT_USER, ClassKey(key).c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size);
  return data;
}

void SetClassValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, ClassKey(key).c_str(), name, REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

std::wstring ShortcutTarget(const std::wstring& link) {
  Microsoft::WRL::ComPtr<IShellLinkW> shortcut;
  Microsoft::WRL::ComPtr<IPersistFile> file;
  wchar_t target[MAX_PATH] = L"";
  EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shortcut)));
  // A shortcut that cannot be read leaves the target empty, which the
  // caller's comparison reports.
  if (shortcut && SUCCEEDED(shortcut.As(&file)) && SUCCEEDED(file->Load(link.c_str(), STGM_READ)))
    shortcut->GetPath(target, MAX_PATH, nullptr, 0);
  return target;
}

// The installed products of this UpgradeCode.
int RelatedProducts() {
  wchar_t product[39];
  int count = 0;
  while (MsiEnumRelatedProductsW(kUpgradeCode, 0, count, product) == ERROR_SUCCESS) ++count;
  return count;
}

struct Case {
  const char* name;
  std::wstring otherDefault;  // .qeb's default before the install; empty: none
  bool upgrade;               // the next version installed over the first
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ReleaseMsi : public ::testing::TestWithParam<Case> {};

TEST_P(ReleaseMsi, InstallsOpensABotFileAndUninstallsWithoutATrace) {
  const Case& c = GetParam();
  const win32::OleInitialization ole;
  const std::wstring msi = BuildFolder() / ReleasePackageName();
  const std::wstring next = BuildFolder() / L"installer\\Zenthra-next.msi";
  ASSERT_TRUE(std::filesystem::exists(msi) && std::filesystem::exists(next)) << "the packages were not built";
  ASSERT_EQ(RelatedProducts(), 0) << "not run in a prefix of its own";
  // Wine's menu builder would copy the Start menu shortcut into the host's
  // menus: off for the programs started from now on.
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"winemenubuilder.exe", REG_SZ, L"",
                            sizeof(wchar_t)),
            ERROR_SUCCESS);
  // Programs that own a file type list themselves in its Open with list too.
  // (Wine's msiexec, unlike Windows, deletes a key left with values only.)
  win32::UniqueHkey classes;
  const bool hadClasses = RegOpenKeyExW(HKEY_CURRENT_USER, kClasses, 0, KEY_READ, classes.put()) == ERROR_SUCCESS;
  if (!c.otherDefault.empty()) {
    SetClassValue(L".qeb", nullptr, c.otherDefault);
    SetClassValue(L".qeb\\OpenWithProgids", c.otherDefault.c_str(), L"");
  }
  const Snapshot before = TakeSnapshot();

  ASSERT_EQ(Msiexec(L"/i \"" + msi + L"\""), 0u);
  ASSERT_EQ(c.upgrade ? Msiexec(L"/i \"" + next + L"\"") : 0u, 0u);
  EXPECT_EQ(RelatedProducts(), 1);
  const std::wstring exe = InstallFolder() + L"\\Zenthra.exe";
  EXPECT_TRUE(std::filesystem::exists(InstallFolder() + L"\\tessarel.ocx"));
  EXPECT_EQ(ShortcutTarget(KnownFolder(FOLDERID_Programs) + L"\\Zenthra.lnk"), exe);
  EXPECT_EQ(ClassValue(L"Zenthra.BotFile"), L"Qel bot file");
  EXPECT_EQ(ClassValue(L"Zenthra.BotFile\\DefaultIcon"), exe + L",0");
  EXPECT_EQ(ClassValue(L".qeb\\OpenWithProgids", L"Zenthra.BotFile"), L"");
  EXPECT_EQ(ClassValue(L".qeb"), c.otherDefault.empty() ? L"Zenthra.BotFile" : c.otherDefault);
  // Wine's shell reads no per-user classes: the verb's command, run as the
  // shell would run it.
  const std::wstring command = L"\"" + exe + L"\" \"%1\"";
  ASSERT_EQ(ClassValue(L"Zenthra.BotFile\\shell\\open\\command"), command);
  {
    const ui::test::BotFolder bots;
    const std::wstring bot = bots.Write(L"installed.qeb", ui::test::BotText(ui::test::kLightExample));
    RemoteProgram program(exe, L"\"" + bot + L"\"");
    HWND main = program.WaitForWindow(ui::kMainWindowClass, L"Zenthra - installed.qeb");
    ASSERT_NE(main, nullptr) << "the installed program did not open the bot file";
    ui::test::ExpectShowsValue(main, ui::test::kLightExample);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    HWND about = program.WaitForWindow(about::kAboutWindowClass, L"About " + std::wstring(shell::kAppTitle));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(zenthra::test::ChildrenOfClass(about, L"TessarelLinkLabel").size(), 3u)
        << "the control library did not load from the install folder";
    PostMessageW(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }

  ASSERT_EQ(Msiexec(L"/x \"" + (c.upgrade ? next : msi) + L"\""), 0u);
  EXPECT_EQ(RelatedProducts(), 0);
  const Snapshot after = TakeSnapshot();
  for (const std::wstring& line : after)
    EXPECT_TRUE(before.contains(line)) << "left behind: " << std::filesystem::path(line).string();
  for (const std::wstring& line : before)
    EXPECT_TRUE(after.contains(line)) << "taken away: " << std::filesystem::path(line).string();
  // The prefix as this case found it, for the next.
  classes.reset();
  const std::wstring made = hadClasses ? ClassKey(L".qeb") : kClasses;
  EXPECT_EQ(c.otherDefault.empty() ? ERROR_SUCCESS : RegDeleteTreeW(HKEY_CURRENT_USER, made.c_str()), ERROR_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReleaseMsi,
                         ::testing::Values(Case{"QebFree", L"", false},
                                           Case{"QebOwnedByAnother", L"Other.BotFile", false},
                                           Case{"Upgraded", L"", true}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zenthra::release::test
