// The library file itself: its class factory, its lifetime counts and the
// resources that design tools and the registry rely on.
#include "control_harness.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace tessarel::test {
namespace {

using LibraryTest = ControlTest;

TEST_F(LibraryTest, ClassFactoryServesOnlyTheControlAndTracksLocks) {
  ComPtr<IClassFactory> factory;
  EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, library_.GetClassObject(IID_IUnknown, IID_PPV_ARGS(&factory)));
  EXPECT_EQ(E_POINTER, library_.GetClassObject(CLSID_tessarelcontrol, IID_IClassFactory, nullptr));
  ASSERT_EQ(S_OK, library_.GetClassObject(CLSID_tessarelcontrol, IID_PPV_ARGS(&factory)));
  EXPECT_EQ(S_FALSE, library_.CanUnloadNow());

  ComPtr<IUnknown> control;
  EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(factory.Get(), IID_PPV_ARGS(&control)));
  EXPECT_EQ(E_NOINTERFACE,
            factory->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(control.GetAddressOf())));
  ASSERT_EQ(S_OK, factory->LockServer(TRUE));
  factory.Reset();
  EXPECT_EQ(S_FALSE, library_.CanUnloadNow());
  ASSERT_EQ(S_OK, library_.GetClassObject(CLSID_tessarelcontrol, IID_PPV_ARGS(&factory)));
  ASSERT_EQ(S_OK, factory->LockServer(FALSE));
}

TEST_F(LibraryTest, EveryInterfaceOfAnInstanceIsTheSameObject) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IUnknown> identity;
  ASSERT_HRESULT_SUCCEEDED(control.As(&identity));
  const IID interfaces[] = {IID_IDispatch,
                            IID_IConnectionPointContainer,
                            IID_IPersistPropertyBag,
                            IID_IPersistStreamInit,
                            IID_IOleObject,
                            IID_IOleInPlaceObject,
                            IID_IOleInPlaceActiveObject,
                            IID_IOleControl,
                            IID_IViewObject2,
                            IID_IProvideClassInfo2,
                            IID_IOleWindow,
                            IID_IViewObject,
                            IID_IPersist};
  for (const IID& iid : interfaces) {
    ComPtr<IUnknown> asked, back;
    ASSERT_EQ(S_OK, control->QueryInterface(iid, reinterpret_cast<void**>(asked.GetAddressOf())));
    ASSERT_HRESULT_SUCCEEDED(asked.As(&back));
    EXPECT_EQ(identity.Get(), back.Get());
  }
  // The event interface is offered for connection; nothing ever calls it.
  ComPtr<IConnectionPointContainer> container;
  ASSERT_HRESULT_SUCCEEDED(control.As(&container));
  ComPtr<IConnectionPoint> point;
  EXPECT_EQ(S_OK, container->FindConnectionPoint(DIID___tessarelcontrol, &point));
  EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, &point));
}

// As a program hosts the control without registration: a manifest entry
// for the class, with tessarel.ocx beside the program.
TEST_F(LibraryTest, CreatableByProgIdThroughAManifestWithoutRegistration) {
  // The manifest lies beside the library, as a program's would.
  const std::wstring manifestPath = ProgramFolder() + L"linkctl_regfree_test.manifest";
  const char manifest[] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
      "  <assemblyIdentity type=\"win32\" name=\"Zenthra.LinkLabelTest\" version=\"1.0.0.0\"/>\n"
      "  <file name=\"tessarel.ocx\">\n"
      "    <comClass clsid=\"{D83BDC03-5D17-4D14-B4B5-1FB697386E23}\" progid=\"Tessarel.tessarelcontrol\"\n"
      "              threadingModel=\"Apartment\" tlbid=\"{3957A90C-22FD-46E3-B226-D40CFB89FAC6}\"/>\n"
      "    <typelib tlbid=\"{3957A90C-22FD-46E3-B226-D40CFB89FAC6}\" version=\"1.0\" helpdir=\"\"/>\n"
      "  </file>\n"
      "</assembly>\n";
  ASSERT_TRUE(std::ofstream(std::filesystem::path(manifestPath), std::ios::binary) << manifest);
  ACTCTXW context{};
  context.cbSize = sizeof(context);
  context.lpSource = manifestPath.c_str();
  HANDLE contextHandle = CreateActCtxW(&context);
  ASSERT_NE(INVALID_HANDLE_VALUE, contextHandle) << GetLastError();
  ULONG_PTR cookie = 0;
  ASSERT_TRUE(ActivateActCtx(contextHandle, &cookie));
  {
    // Under Wine the ProgID resolves to an alias of the class: use it
    // as it is.
    CLSID classId{};
    EXPECT_EQ(S_OK, CLSIDFromProgID(L"Tessarel.tessarelcontrol", &classId));
    ComPtr<_tessarelcontrol> control;
    EXPECT_EQ(S_OK, CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID__tessarelcontrol,
                                     reinterpret_cast<void**>(control.GetAddressOf())));
    if (control != nullptr) {
      UniqueBstr text;
      EXPECT_EQ(S_OK, control->get_Text(text.put()));
      EXPECT_STREQ(L"Tessarel", text.get());
    }
  }
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(contextHandle);
  DeleteFileW(manifestPath.c_str());
}

// A resource that holds a 32-bit length 16, then the identifier.
void ExpectIdentifierResource(HMODULE module, const wchar_t* name, const GUID& expected) {
  HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(nullptr, found) << name;
  ASSERT_EQ(20u, SizeofResource(module, found));
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(nullptr, bytes);
  DWORD length = 0;
  GUID identifier{};
  std::memcpy(&length, bytes, sizeof(length));
  std::memcpy(&identifier, bytes + sizeof(length), sizeof(identifier));
  EXPECT_EQ(16u, length);
  EXPECT_EQ(expected, identifier) << name;
}

TEST_F(LibraryTest, ResourcesNameTheInterfacesAndCarryTheToolboxPictureCursorAndVersion) {
  const HMODULE module = library_.Module();
  ExpectIdentifierResource(module, L"_IID_TESSARELCONTROL", IID__tessarelcontrol);
  ExpectIdentifierResource(module, L"_SRCIID_TESSARELCONTROL", DIID___tessarelcontrol);
  EXPECT_NE(nullptr, FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB"));

  HRSRC bitmapResource = FindResourceW(module, MAKEINTRESOURCEW(30000), MAKEINTRESOURCEW(2));  // RT_BITMAP
  ASSERT_NE(nullptr, bitmapResource);
  const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, bitmapResource)));
  ASSERT_NE(nullptr, info);
  EXPECT_EQ(16, info->biWidth);
  EXPECT_EQ(15, info->biHeight);
  EXPECT_EQ(8, info->biBitCount);

  // The label's pointing hand, 32 x 32.
  HRSRC cursorGroup = FindResourceW(module, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(12));  // RT_GROUP_CURSOR
  EXPECT_NE(nullptr, cursorGroup);
  EXPECT_NE(nullptr, LoadCursorW(module, MAKEINTRESOURCEW(101)));

  wchar_t path[MAX_PATH] = {};
  ASSERT_NE(0u, GetModuleFileNameW(module, path, MAX_PATH));
  DWORD ignored = 0;
  std::vector<BYTE> version(GetFileVersionInfoSizeW(path, &ignored));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(version.size()), version.data()));
  const struct {
    const wchar_t* key;
    const wchar_t* value;
  } strings[] = {
      {L"FileVersion", L"1.00"},      {L"ProductVersion", L"1.00"},
      {L"InternalName", L"tessarel"}, {L"OriginalFilename", L"tessarel.ocx"},
      {L"ProductName", L"Tessarel"},  {L"OLESelfRegister", L""},
  };
  for (const auto& entry : strings) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + entry.key;
    ASSERT_TRUE(VerQueryValueW(version.data(), query.c_str(), &value, &length)) << entry.key;
    EXPECT_STREQ(entry.value, static_cast<const wchar_t*>(value)) << entry.key;
  }
}

}  // namespace
}  // namespace tessarel::test
