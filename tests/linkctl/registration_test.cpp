// Registration by regsvr32 and creation by ProgID, then unregistration.
// Runs in a Wine prefix of its own: what regsvr32 writes stays there.
#include "control_harness.h"

namespace tessarel::test {
namespace {

// Runs regsvr32 on tessarel.ocx and returns its exit code.
DWORD RunRegsvr32(const wchar_t* options) {
  std::wstring command = std::wstring(L"regsvr32.exe ") + options + L" \"" + ProgramFolder() + L"\\tessarel.ocx\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return GetLastError();
  }
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
  WaitForSingleObject(processHandle.get(), INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(processHandle.get(), &exitCode);
  return exitCode;
}

std::wstring ClassesValue(const std::wstring& key, const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return value;
}

TEST(RegistrationTest, RegisteredClassIsCreatableByProgIdUntilUnregistered) {
  ComApartment apartment;
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
  ComPtr<ITypeLib> typeLibrary;
  EXPECT_EQ(S_OK, LoadRegTypeLib(LIBID_Tessarel, 1, 0, 1033, &typeLibrary));
  typeLibrary.Reset();
  CoFreeUnusedLibraries();

  ASSERT_EQ(0u, RunRegsvr32(L"/u /s"));
  EXPECT_TRUE(FAILED(CLSIDFromProgID(L"Tessarel.tessarelcontrol", &classId)));
  EXPECT_EQ(L"<missing>", ClassesValue(classKey + L"\\InprocServer32", nullptr));
  EXPECT_TRUE(FAILED(LoadRegTypeLib(LIBID_Tessarel, 1, 0, 1033, &typeLibrary)));
  // Unregistering what is not registered is no error.
  EXPECT_EQ(0u, RunRegsvr32(L"/u /s"));
}

}  // namespace
}  // namespace tessarel::test
