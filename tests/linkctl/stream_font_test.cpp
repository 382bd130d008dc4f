// A control stream names the class of its font. One that names another
// registered class (the canary, registered in this test's own prefix)
// fails to load, and the class is never created.
#include "control_harness.h"

#include <algorithm>
#include <cstring>

namespace tessarel::test {
namespace {

constexpr CLSID kCanary = {0x6f1c0e2a, 0x1d4b, 0x4c1e, {0x9a, 0x5e, 0x2b, 0x7d, 0x31, 0xc4, 0x88, 0x10}};
constexpr wchar_t kCanaryKey[] = L"CLSID\\{6F1C0E2A-1D4B-4C1E-9A5E-2B7D31C48810}\\InprocServer32";

bool CanaryRan() {
  return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Zenthra\\Canary", L"Ran", RRF_RT_REG_DWORD, nullptr, nullptr,
                      nullptr) == ERROR_SUCCESS;
}

using StreamFontTest = ControlTest;

TEST_F(StreamFontTest, AFontOfAnyOtherClassFailsTheLoadAndIsNeverCreated) {
  ASSERT_EQ(S_OK, SetClassesString(kCanaryKey, nullptr, ProgramFolder() + L"linkctl_canary.dll"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zenthra\\Canary");

  // A saved control whose font names the canary's class instead.
  ComPtr<IPersistStreamInit> saved, loaded;
  ASSERT_HRESULT_SUCCEEDED(NewControl().As(&saved));
  ComPtr<IStream> stream;
  ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream));
  ASSERT_EQ(S_OK, saved->Save(stream.Get(), FALSE));
  HGLOBAL memory = nullptr;  // borrowed: the stream's
  ASSERT_HRESULT_SUCCEEDED(GetHGlobalFromStream(stream.Get(), &memory));
  auto* bytes = static_cast<BYTE*>(GlobalLock(memory));
  const auto* font = reinterpret_cast<const BYTE*>(&CLSID_StdFont);
  BYTE* at = std::search(bytes, bytes + GlobalSize(memory), font, font + sizeof(CLSID));
  ASSERT_NE(bytes + GlobalSize(memory), at);
  std::memcpy(at, &kCanary, sizeof(CLSID));
  GlobalUnlock(memory);

  ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
  ASSERT_HRESULT_SUCCEEDED(NewControl().As(&loaded));
  EXPECT_TRUE(FAILED(loaded->Load(stream.Get())));
  EXPECT_FALSE(CanaryRan());
  EXPECT_EQ(nullptr, GetModuleHandleW(L"linkctl_canary.dll"));

  // The canary is registered and tells when COM asks it.
  ComPtr<IUnknown> created;
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
            CoCreateInstance(kCanary, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)));
  EXPECT_TRUE(CanaryRan());
}

}  // namespace
}  // namespace tessarel::test
