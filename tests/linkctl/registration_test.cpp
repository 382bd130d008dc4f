// Registration by regsvr32 and creation by ProgID, then unregistration.
// Runs in a Wine prefix of its own: what regsvr32 writes stays there.
#include "control_harness.h"

namespace tessarel::test {
namespace {

// Runs regsvr32 on tessarel.ocx and returns its exit code.
DWORD RunRegsvr32(const wchar_t* options) {
  std::wstring command = std::wstring(L"regsvr32.exe ") + options + L" \"" + ProgramFolder() + L"tessarel.ocx\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return GetLastError();
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  if (WaitForSingleObject(processHandle.get(), zenthra::test::kWaitLimitMs) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "regsvr32 did not end within the wait limit";
    TerminateProcess(processHandle.get(), 1);
    return WAIT_TIMEOUT;
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  return exitCode;
}

std::wstring ClassesValue(const std::wstring& key, const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return value;
}

// Every key and value below the library's own keys, as text.
std::wstring RegistrationKeys(const std::wstring& key = L"") {
  if (key.empty()) {
    return RegistrationKeys(L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}") +
           RegistrationKeys(L"Tessarel.tessarelcontrol") +
           RegistrationKeys(L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}") +
           RegistrationKeys(L"Interface\\{38064562-9AE2-4EC5-A295-812505FF0040}") +
           RegistrationKeys(L"Interface\\{9CA48CB6-7662-47A9-8196-E5931A328C18}");
  }
  UniqueHkey handle;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.put()) != ERROR_SUCCESS) return L"";
  std::wstring text = key + L"\n";
  wchar_t name[256];
  BYTE data[1024];
  for (DWORD index = 0, size = 256, bytes = sizeof(data);
       RegEnumValueW(handle.get(), index, name, &size, nullptr, nullptr, data, &bytes) == ERROR_SUCCESS;
       ++index, size = 256, bytes = sizeof(data))
    text += std::wstring(L" ") + name + L"=" + std::wstring(reinterpret_cast<wchar_t*>(data), bytes / 2) + L"\n";
  for (DWORD index = 0, size = 256;
       RegEnumKeyExW(handle.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++index, size = 256)
    text += RegistrationKeys(key + L"\\" + name);
  return text;
}

TEST(RegistrationTest, RegisteredClassIsCreatableByProgIdUntilUnregistered) {
  win32::OleInitialization apartment;
  ASSERT_HRESULT_SUCCEEDED(apartment.Result());
  ASSERT_EQ(0u, RunRegsvr32(L"/s"));

  CLSID classId{};
  ASSERT_EQ(S_OK, CLSIDFromProgID(L"Tessarel.tessarelcontrol", &classId));
  EXPECT_EQ(CLSID_tessarelcontrol, classId);
  {
    ComPtr<_tessarelcontrol> control;
    ASSERT_EQ(S_OK, CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID__tessarelcontrol,
                                     reinterpret_cast<void**>(control.GetAddressOf())));
    UniqueBstr text;
    ASSERT_EQ(S_OK, control->get_Text(text.put()));
    EXPECT_STREQ(L"Tessarel", text.get());
  }

  const std::wstring classKey = L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}";
  EXPECT_EQ(L"Apartment", ClassesValue(classKey + L"\\InprocServer32", L"ThreadingModel"));
  EXPECT_EQ(L"Tessarel.tessarelcontrol", ClassesValue(classKey + L"\\ProgID", nullptr));
  EXPECT_EQ(L"131473", ClassesValue(classKey + L"\\MiscStatus\\1", nullptr));
  EXPECT_EQ(L"", ClassesValue(classKey + L"\\Control", nullptr));
  EXPECT_EQ(L"{3957A90C-22FD-46E3-B226-D40CFB89FAC6}", ClassesValue(classKey + L"\\TypeLib", nullptr));
  EXPECT_EQ(L"1.0", ClassesValue(classKey + L"\\Version", nullptr));
  EXPECT_NE(std::wstring::npos, ClassesValue(classKey + L"\\ToolboxBitmap32", nullptr).find(L", 30000"));
  // Language-neutral: found whatever locale a client asks for.
  ComPtr<ITypeLib> typeLibrary;
  for (LCID locale : {LCID{0}, LCID{0x409}, LCID{0x407}, LCID{0x809}, GetUserDefaultLCID()})
    EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_Tessarel, 1, 0, locale, &typeLibrary)) << locale;
  typeLibrary.Reset();
  CoFreeUnusedLibraries();

  // Unregistering removes every part, also when one is gone already.
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}"));
  ASSERT_EQ(0u, RunRegsvr32(L"/u /s"));
  EXPECT_EQ(L"", RegistrationKeys());
  EXPECT_TRUE(FAILED(CLSIDFromProgID(L"Tessarel.tessarelcontrol", &classId)));
  EXPECT_EQ(L"<missing>", ClassesValue(classKey + L"\\InprocServer32", nullptr));
  EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_Tessarel, 1, 0, 0, &typeLibrary)));
  // Unregistering what is not registered is no error.
  EXPECT_EQ(0u, RunRegsvr32(L"/u /s"));
}

// A volatile class key takes no lasting subkey, so registering fails
// part-way, and takes back all it wrote. (Under Wine a key that denies
// writing does not stop the administrator that regsvr32 runs as.)
TEST(RegistrationTest, ARegistrationThatFailsPartWayLeavesTheRegistryAsItWas) {
  const wchar_t* classKey = L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}";
  ASSERT_EQ(0u, RunRegsvr32(L"/u /s"));
  UniqueHkey blocker;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, classKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_READ,
                                           nullptr, blocker.put(), nullptr));
  const std::wstring before = RegistrationKeys();
  EXPECT_NE(0u, RunRegsvr32(L"/s"));
  EXPECT_EQ(before, RegistrationKeys());
  ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey));
}

// Registering again, also over the class registered at another path, leaves
// the one set of keys a first registration writes. Unregistering removes
// the library's own values and keys and leaves what others keep beside
// them: a value and a key of the class, another version of the library.
TEST(RegistrationTest, RegisteringAgainCorrectsTheKeysAndUnregisteringLeavesOthersAlone) {
  const std::wstring classKey = L"CLSID\\{D83BDC03-5D17-4D14-B4B5-1FB697386E23}";
  ASSERT_EQ(0u, RunRegsvr32(L"/u /s"));
  ASSERT_EQ(0u, RunRegsvr32(L"/s"));
  const std::wstring registered = RegistrationKeys();
  for (const wchar_t* stalePath : {L"", L"C:\\elsewhere\\tessarel.ocx"}) {
    if (*stalePath != L'\0') {
      ASSERT_EQ(S_OK, SetClassesString(classKey + L"\\InprocServer32", nullptr, stalePath));
    }
    ASSERT_EQ(0u, RunRegsvr32(L"/s"));
    EXPECT_EQ(registered, RegistrationKeys()) << "over \"" << stalePath << "\"";
  }

  const std::pair<std::wstring, const wchar_t*> others[] = {
      {classKey, L"AppID"},
      {classKey + L"\\Implemented Categories\\{0DE86A57-2BAA-11CF-A229-00AA003D7352}", nullptr},
      {L"Tessarel.tessarelcontrol", L"EditFlags"},
      {L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}\\2.0", nullptr}};
  for (const auto& [key, name] : others) ASSERT_EQ(S_OK, SetClassesString(key, name, L"theirs"));
  ASSERT_EQ(0u, RunRegsvr32(L"/u /s"));
  for (const auto& [key, name] : others) EXPECT_EQ(L"theirs", ClassesValue(key, name)) << key;
  EXPECT_EQ(L"<missing>", ClassesValue(classKey + L"\\InprocServer32", nullptr));
  EXPECT_EQ(L"<missing>", ClassesValue(L"Tessarel.tessarelcontrol\\CLSID", nullptr));
  ComPtr<ITypeLib> typeLibrary;
  EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_Tessarel, 1, 0, 0, &typeLibrary)));
  for (const std::wstring& key : {classKey, std::wstring(L"Tessarel.tessarelcontrol"),
                                  std::wstring(L"TypeLib\\{3957A90C-22FD-46E3-B226-D40CFB89FAC6}")})
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str()));
}

}  // namespace
}  // namespace tessarel::test
