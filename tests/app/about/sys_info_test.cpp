// The System Info button and its registry reader, against registry
// arrangements that each test makes and removes in the test's own prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "about/about_dialog.h"
#include "about/about_layout.h"
#include "about/sys_info.h"
#include "bounded_wait.h"
#include "shell/app_identity.h"
#include "shell/program_windows.h"
#include "test_support.h"
#include "win32/unique_handle.h"
#include "window_driver.h"

namespace zenthra::about {
namespace {

constexpr char kTestKey[] = "SOFTWARE\\Zenthra About Test";
constexpr wchar_t kViewerKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kFolderKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

void SetRaw(const char* key, const char* name, DWORD type, const std::string& bytes) {
  win32::UniqueHkey opened;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, opened.put(), nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(opened.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

// ---------------------------------------------------------------------------
// GetKeyValue

class GetKeyValueTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }

  bool Read(const char* name, std::string& value) { return GetKeyValue(HKEY_LOCAL_MACHINE, kTestKey, name, value); }
};

// Each value read into text that holds "left over": what it reads as, and
// whether it counts as found. Only REG_SZ and REG_DWORD give text.
TEST_F(GetKeyValueTest, EachValueReadsAsItsTextOrCountsAsAbsent) {
  std::string value = "left over";
  EXPECT_FALSE(Read("anything", value)) << "the key is missing";
  EXPECT_EQ(value, "");

  const DWORD number = 0x00012345;
  const struct {
    const char* name;
    DWORD type;
    std::string bytes;
    bool found;
    std::string text;
  } cases[] = {
      {"terminated", REG_SZ, std::string("C:\\viewer.exe\0", 14), true, "C:\\viewer.exe"},
      {"bare", REG_SZ, "abc", true, "abc"},
      {"doubled", REG_SZ, std::string("abc\0\0", 5), true, std::string("abc\0", 4)},
      {"full", REG_SZ, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
      {"over", REG_SZ, std::string(1025, 'y'), false, ""},
      {"empty", REG_SZ, "", true, ""},
      {"number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof(number)), true, "74565"},
      {"binary", REG_BINARY, "\x01\x02", true, "left over"},
      {"expand", REG_EXPAND_SZ, std::string("%TEMP%\0", 7), true, "left over"},
  };
  for (const auto& entry : cases) SetRaw(kTestKey, entry.name, entry.type, entry.bytes);
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    value = "left over";
    EXPECT_EQ(Read(entry.name, value), entry.found);
    EXPECT_EQ(value, entry.text);
  }
  value = "left over";
  EXPECT_FALSE(Read("absent", value)) << "the value is missing";
  EXPECT_EQ(value, "");
}

// Wine lets anyone write below HKLM, so the access a standard user would be
// refused is checked where it is asked for.
REGSAM g_requestedAccess = 0;
int g_opens = 0;
LSTATUS WINAPI RecordingOpen(HKEY root, LPCSTR name, DWORD options, REGSAM access, PHKEY key) {
  g_requestedAccess = access;
  ++g_opens;
  return RegOpenKeyExA(root, name, options, access, key);
}

TEST_F(GetKeyValueTest, OpensTheKeyForReadingOnly) {
  SetRaw(kTestKey, "value", REG_SZ, "text");
  std::string value;
  EXPECT_TRUE(GetKeyValue(HKEY_LOCAL_MACHINE, kTestKey, "value", value, &RecordingOpen));
  EXPECT_EQ(g_opens, 1);
  EXPECT_EQ(value, "text");
  constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | WRITE_DAC | WRITE_OWNER |
                                  DELETE | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;
  EXPECT_EQ(g_requestedAccess & kWriteRights, 0u) << std::hex << g_requestedAccess;
  EXPECT_NE(g_requestedAccess & KEY_QUERY_VALUE, 0u);
}

// ---------------------------------------------------------------------------
// StartSysInfo through the dialog's System Info button

class SysInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearArrangement();
    root_ = (std::filesystem::temp_directory_path() / L"zenthra sysinfo\\").wstring();
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    dialog_ = ShowAbout(GetModuleHandleW(nullptr), windows_);
    ASSERT_NE(dialog_, nullptr);
  }

  void TearDown() override {
    UnloadAbout(windows_);
    ClearArrangement();
    RemoveFolder();
  }

  static void ClearArrangement() {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kViewerKey, L"PATH");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kFolderKey, L"MSINFO");
  }

  void RemoveFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_.substr(0, root_.size() - 1), ignored);
  }

  // A copy of the marking program under `relative`; returns its path.
  std::wstring PlaceViewer(const std::wstring& relative) {
    const std::wstring path = root_ + relative;
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring mark = zenthra::test::ProgramFolder() + L"about_mark.exe";
    EXPECT_TRUE(CopyFileW(mark.c_str(), path.c_str(), FALSE)) << GetLastError();
    return path;
  }

  // The path in the ANSI code page with its terminating NUL, as a REG_SZ
  // value holds it.
  static std::string Terminated(const std::wstring& text) {
    std::string narrow(text.size() * 2 + 1, '\0');
    const int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), static_cast<int>(narrow.size()),
                                           nullptr, nullptr);
    narrow.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return narrow;
  }

  static void SetViewerPath(DWORD type, const std::string& bytes) {
    SetRaw("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", type, bytes);
  }
  static void SetViewerFolder(const std::wstring& folder) {
    SetRaw("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", REG_SZ, Terminated(folder));
  }

  // Presses System Info; the texts of the message boxes it showed.
  std::vector<std::wstring> PressSysInfo() {
    SendMessageW(GetDlgItem(dialog_, kCmdSysInfo), BM_CLICK, 0, 0);
    return watcher_.TakeMessages();
  }

  static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  // The viewer was started by its path alone; its mark is taken away.
  static void ExpectStarted(const std::wstring& viewer) {
    ASSERT_TRUE(testing::WaitForFile(viewer + L".mark"));
    EXPECT_EQ(testing::ReadMark(viewer + L".mark"), L"\"" + viewer + L"\"");
    DeleteFileW((viewer + L".mark").c_str());
  }

  // A started viewer leaves its mark within moments; give it that long.
  static void ExpectNoStart(const std::wstring& viewer) {
    EXPECT_FALSE(zenthra::test::WaitUntil([&] { return Exists(viewer + L".mark"); }, 1500))
        << "the dialog started " << viewer.c_str();
  }

  shell::ProgramWindows windows_;
  zenthra::test::MessageBoxWatcher watcher_{shell::kAppTitle};
  HWND dialog_ = nullptr;
  std::wstring root_;
};

const std::vector<std::wstring> kNoMessage;
const std::vector<std::wstring> kUnavailableMessage{kUnavailable};

TEST_F(SysInfoTest, FirstValueStartsItsProgramByPathNotAsACommandLine) {
  const std::wstring viewer = PlaceViewer(L"zen tools\\viewer.exe");
  // Split at the blank, the path would start this one instead.
  const std::wstring planted = PlaceViewer(L"zen.exe");
  SetViewerPath(REG_SZ, Terminated(viewer));

  EXPECT_EQ(PressSysInfo(), kNoMessage);
  ExpectStarted(viewer);
  EXPECT_FALSE(Exists(planted + L".mark"));
  EXPECT_TRUE(IsWindow(dialog_));  // System Info leaves the dialog open
}

// A value over 1024 bytes counts as absent.
TEST_F(SysInfoTest, WithoutAPathValueTheFallbackFolderStartsMsinfo32) {
  const std::wstring viewer = PlaceViewer(L"fallback\\MSINFO32.EXE");
  SetViewerFolder(root_ + L"fallback");
  for (const bool overlong : {false, true}) {
    SCOPED_TRACE(overlong ? "a path of 1100 bytes" : "no path");
    if (overlong) SetViewerPath(REG_SZ, std::string(1100, 'x'));
    EXPECT_EQ(PressSysInfo(), kNoMessage);
    ExpectStarted(viewer);
  }
}

// Each of these is found as a value but names nothing that starts, so the
// fallback is not consulted even when it would work.
TEST_F(SysInfoTest, FoundValueThatCannotStartShowsTheMessage) {
  const std::wstring viewer = PlaceViewer(L"fallback\\MSINFO32.EXE");
  SetViewerFolder(root_ + L"fallback");
  const std::string missing = Terminated(root_ + L"missing\\viewer.exe");
  const struct {
    const char* what;
    DWORD type;
    std::string bytes;
  } arrangements[] = {
      {"missing file", REG_SZ, missing},
      {"binary type", REG_BINARY, "\x43\x3a\x5c"},
      {"expandable string type", REG_EXPAND_SZ, missing},
      {"zero bytes", REG_SZ, ""},
  };
  for (const auto& arrangement : arrangements) {
    SCOPED_TRACE(arrangement.what);
    SetViewerPath(arrangement.type, arrangement.bytes);
    EXPECT_EQ(PressSysInfo(), kUnavailableMessage);
  }
  ExpectNoStart(viewer);
}

TEST_F(SysInfoTest, FallbackWithoutAnOrdinaryMsinfo32ShowsTheMessage) {
  EXPECT_EQ(PressSysInfo(), kUnavailableMessage);  // neither value present

  CreateDirectoryW((root_ + L"empty").c_str(), nullptr);
  SetViewerFolder(root_ + L"empty");
  EXPECT_EQ(PressSysInfo(), kUnavailableMessage);

  CreateDirectoryW((root_ + L"folder").c_str(), nullptr);
  CreateDirectoryW((root_ + L"folder\\MSINFO32.EXE").c_str(), nullptr);
  SetViewerFolder(root_ + L"folder");
  EXPECT_EQ(PressSysInfo(), kUnavailableMessage);

  const std::wstring hidden = PlaceViewer(L"hidden\\MSINFO32.EXE");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  SetViewerFolder(root_ + L"hidden");
  EXPECT_EQ(PressSysInfo(), kUnavailableMessage);
  ExpectNoStart(hidden);
}

}  // namespace
}  // namespace zenthra::about
