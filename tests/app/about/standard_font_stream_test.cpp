// A font read from a stream in the standard font's persisted form: the
// stored link label font comes back whole, and a stream that names another
// class, one this process can create, fails without creating it.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <windows.h>

#include <cstring>

#include "about/persisted_font.h"
#include "about/stored_link_labels.h"
#include "win32/com_object.h"
#include "win32/ole_initialization.h"
#include "win32/standard_font_stream.h"

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;

// {6C1F3E1A-93B4-4C55-9E43-0D8A2B7C5E11}
constexpr CLSID kCountedClass = {0x6c1f3e1a, 0x93b4, 0x4c55, {0x9e, 0x43, 0x0d, 0x8a, 0x2b, 0x7c, 0x5e, 0x11}};

// Makes nothing, but counts each time it is asked to.
class CountingFactory final : public win32::ComObject<CountingFactory, IClassFactory> {
 public:
  IFACEMETHODIMP CreateInstance(IUnknown*, REFIID, void** object) override {
    ++created;
    *object = nullptr;
    return E_NOINTERFACE;
  }
  IFACEMETHODIMP LockServer(BOOL) override { return S_OK; }
  int created = 0;
};

ComPtr<IStream> StreamOf(const std::vector<std::byte>& bytes) {
  return win32::Adopt(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
}

TEST(StandardFontStream, CreatesTheStandardFontAndNoOtherClass) {
  const win32::OleInitialization ole;
  ASSERT_HRESULT_SUCCEEDED(ole.Result());
  const std::vector<std::byte> persisted = PersistFont(kLinkFont);

  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(win32::LoadStandardFont(StreamOf(persisted).Get(), font));
  CY size{};
  BOOL underline = FALSE;
  ASSERT_HRESULT_SUCCEEDED(font->get_Size(&size));
  ASSERT_HRESULT_SUCCEEDED(font->get_Underline(&underline));
  EXPECT_TRUE(size.int64 == kLinkFont.size && underline) << "the font did not load its persisted fields";

  // The same font behind the class id of a class this process serves.
  const auto factory = win32::MakeComObject<CountingFactory>();
  DWORD cookie = 0;
  ASSERT_HRESULT_SUCCEEDED(
      CoRegisterClassObject(kCountedClass, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
  std::vector<std::byte> foreign = persisted;
  std::memcpy(foreign.data(), &kCountedClass, sizeof(kCountedClass));
  EXPECT_EQ(win32::LoadStandardFont(StreamOf(foreign).Get(), font), STG_E_INVALIDHEADER);
  EXPECT_EQ(font, nullptr);
  ComPtr<IFontDisp> stored;
  EXPECT_HRESULT_FAILED(LoadPersistedFont(foreign, stored));
  EXPECT_EQ(factory->created, 0);
  // What the stream would have made through the general loader.
  ComPtr<IUnknown> made;
  EXPECT_HRESULT_FAILED(OleLoadFromStream(StreamOf(foreign).Get(), IID_PPV_ARGS(&made)));
  EXPECT_EQ(factory->created, 1);
  EXPECT_HRESULT_SUCCEEDED(CoRevokeClassObject(cookie));
}

}  // namespace
}  // namespace zenthra::about
