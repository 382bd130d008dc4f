// Hosts that call back into the control, or let go of it, from inside the
// calls the control makes to them.
#include "control_harness.h"

#include <oleacc.h>

#include "accessible_calls.h"

namespace tessarel::test {
namespace {

using HostileHostTest = ControlTest;

constexpr RECT kPosition{20, 30, 220, 50};
constexpr SIZEL kExtent{2540, 635};  // 1 by 0.25 inch

// A stream in memory that runs `step` with the number (from 1) of each write
// before taking it, as a host that acts meanwhile.
class MeddlingStream final : public TestObject<IStream> {
 public:
  static ComPtr<MeddlingStream> Create() {
    ComPtr<MeddlingStream> stream = win32::MakeComObject<MeddlingStream>();
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream->memory));
    return stream;
  }
  IFACEMETHODIMP Write(const void* data, ULONG size, ULONG* written) override {
    step(++writes);
    return memory->Write(data, size, written);
  }
  IFACEMETHODIMP Read(void* data, ULONG size, ULONG* read) override { return memory->Read(data, size, read); }
  IFACEMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
    return memory->Seek(move, origin, position);
  }
  IFACEMETHODIMP SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
  IFACEMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  IFACEMETHODIMP Commit(DWORD) override { return E_NOTIMPL; }
  IFACEMETHODIMP Revert() override { return E_NOTIMPL; }
  IFACEMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  IFACEMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  IFACEMETHODIMP Stat(STATSTG* stat, DWORD flags) override { return memory->Stat(stat, flags); }
  IFACEMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

  ComPtr<IStream> memory;
  std::function<void(int)> step;
  int writes = 0;
};

// Each control is gone once the call returns: TearDown finds the library
// free to unload, so the host's release was its last and nothing leaked.
TEST_F(HostileHostTest, TheHostMayLetGoOfTheControlInsideReadOrOnChanged) {
  ComPtr<IPersistPropertyBag> persist;
  ASSERT_HRESULT_SUCCEEDED(NewControl().As(&persist));
  IPersistPropertyBag* loading = persist.Get();  // borrowed: the bag holds the last reference
  ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::Create();
  bag->releaseOnRead = std::move(persist);
  EXPECT_EQ(S_OK, loading->Load(bag.Get(), nullptr));

  ComPtr<_tessarelcontrol> control = NewControl();
  _tessarelcontrol* setting = control.Get();  // borrowed: the listener lets go of the last reference
  ComPtr<ChangeRecorder> listener = ChangeRecorder::Create();
  ASSERT_EQ(S_OK, ConnectListener(control.Get(), listener.Get()));
  listener->step = [&control](DISPID) { control.Reset(); };
  EXPECT_EQ(S_OK, setting->put_Text(UniqueBstr(SysAllocString(L"My Website")).get()));
  EXPECT_EQ(std::vector<DISPID>{0x68030002}, listener->changes);
}

// A property browser writes back what it is told; a set that changes
// nothing reports nothing, so each change is heard of once.
TEST_F(HostileHostTest, AListenerThatWritesBackTheValueHearsOfEachChangeOnce) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ChangeConnection connection(control.Get());
  ASSERT_HRESULT_SUCCEEDED(connection.Result());
  const auto put = [](DISPID id) -> WORD { return id == DISPID_FONT ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT; };
  int depth = 0;
  connection.Recorder().step = [&](DISPID id) {
    UniqueVariant value;
    if (++depth < 4 && SUCCEEDED(GetProperty(control.Get(), id, value))) {  // bounded: a fault fails, not overflows
      EXPECT_EQ(S_OK, PutProperty(control.Get(), id, *value.get(), put(id)));
    }
    --depth;
  };
  ComPtr<IDispatch> font;
  ASSERT_HRESULT_SUCCEEDED(MakeFont(L"Arial", 100000, false).As(&font));
  UniqueVariant text = StringVariant(L"My Website"), link = StringVariant(L"mailto:someone@example.org");
  VARIANT fontValue{};
  fontValue.vt = VT_DISPATCH;
  fontValue.pdispVal = font.Get();  // borrowed for the calls
  const std::pair<DISPID, VARIANT> sets[] = {{0x68030003, IntVariant(0xFF)},
                                             {0x68030002, *text.get()},
                                             {0x68030001, *link.get()},
                                             {DISPID_FONT, fontValue},
                                             {0x68030000, IntVariant(0x80000005)}};
  for (const auto& [id, value] : sets) {
    connection.Changes().clear();
    EXPECT_EQ(S_OK, PutProperty(control.Get(), id, value, put(id)));
    EXPECT_EQ(std::vector<DISPID>{id}, connection.Changes());
  }
}

// Whatever write of a Save the host changes Text and Link in, the stream
// holds the texts of before or of after, never memory the control has freed
// (the test runs with OANOCACHE=1, so that a freed string goes at once, and
// Wine's heap checks fill what is freed).
TEST_F(HostileHostTest, TheHostMayChangeTheTextsInsideAnyWriteOfAStreamSave) {
  const std::wstring before = L"My Website", after = L"mailto:someone@example.org";
  const auto texts = [](_tessarelcontrol* control) {
    UniqueBstr text, link;
    EXPECT_EQ(S_OK, control->get_Text(text.put()));
    EXPECT_EQ(S_OK, control->get_Link(link.put()));
    return std::pair{std::wstring(text.get(), SysStringLen(text.get())),
                     std::wstring(link.get(), SysStringLen(link.get()))};
  };
  const auto set = [](_tessarelcontrol* control, const std::wstring& value) {
    EXPECT_EQ(S_OK, control->put_Text(UniqueBstr(SysAllocString(value.c_str())).get()));
    EXPECT_EQ(S_OK, control->put_Link(UniqueBstr(SysAllocString(value.c_str())).get()));
  };
  for (int meddleAt = 1, writes = 1; meddleAt <= writes; ++meddleAt) {
    ComPtr<_tessarelcontrol> control = NewControl(), copy = NewControl();
    ComPtr<IPersistStreamInit> saving, loading;
    ASSERT_HRESULT_SUCCEEDED(control.As(&saving));
    ASSERT_HRESULT_SUCCEEDED(copy.As(&loading));
    ASSERT_EQ(S_OK, saving->InitNew());
    set(control.Get(), before);
    ComPtr<MeddlingStream> stream = MeddlingStream::Create();
    stream->step = [&](int write) {
      if (write == meddleAt) set(control.Get(), after);
    };
    EXPECT_EQ(S_OK, saving->Save(stream.Get(), TRUE)) << "write " << meddleAt;
    writes = stream->writes;
    ASSERT_HRESULT_SUCCEEDED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr));
    ASSERT_EQ(S_OK, loading->Load(stream.Get())) << "write " << meddleAt;
    const auto [text, link] = texts(copy.Get());
    EXPECT_TRUE(text == before || text == after) << "write " << meddleAt;
    EXPECT_TRUE(link == before || link == after) << "write " << meddleAt;
  }
}

// Inside the context menu's loop the host closes the control or only lets
// go of it, then "Copy Link Address" is chosen: the control copies its link
// and goes once the menu is done with it.
TEST_F(HostileHostTest, TheHostMayCloseOrReleaseTheControlWhileItsMenuIsOpen) {
  for (const bool close : {false, true}) {
    SCOPED_TRACE(close ? "closed" : "released");
    ComPtr<TestHost> host = TestHost::Create(nullptr, kPosition);
    ASSERT_NE(nullptr, host);
    ComPtr<_tessarelcontrol> control = NewControl();
    HWND window = nullptr;
    ASSERT_EQ(S_OK, SiteAndActivate(control.Get(), host.Get(), kExtent, &window));
    ASSERT_EQ(S_OK, control->put_Link(UniqueBstr(SysAllocString(L"mailto:someone@example.org")).get()));
    const std::function<void()> letGo = [&] {
      ComPtr<IOleObject> object;
      if (close && SUCCEEDED(control.As(&object))) {
        EXPECT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
      }
      object.Reset();
      control.Reset();
      for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(host->Window(), WM_KEYDOWN, key, 0);
    };
    host->PostStep(letGo);
    const UINT_PTR limit = SetTimer(nullptr, 0, zenthra::test::kWaitLimitMs, [](HWND, UINT, UINT_PTR, DWORD) {
      EndMenu();  // bounds the menu's loop
    });
    const DWORD copies = GetClipboardSequenceNumber();
    SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(-1, -1));
    KillTimer(nullptr, limit);
    EXPECT_EQ(nullptr, control.Get()) << "the menu closed before the host let go";
    EXPECT_NE(copies, GetClipboardSequenceNumber()) << "Copy Link Address was not taken";
  }
}

// A screen reader may keep the link's object past the control's window:
// every call then fails.
TEST_F(HostileHostTest, TheLinksObjectKeptPastItsWindowFailsEveryCall) {
  ComPtr<TestHost> host = TestHost::Create(nullptr, kPosition);
  ASSERT_NE(nullptr, host);
  ComPtr<_tessarelcontrol> control = NewControl();
  HWND window = nullptr;
  ASSERT_EQ(S_OK, SiteAndActivate(control.Get(), host.Get(), kExtent, &window));
  ComPtr<IAccessible> kept;
  ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(kept.GetAddressOf())));
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
  object.Reset();
  control.Reset();
  ASSERT_FALSE(IsWindow(window));
  zenthra::test::ExpectEveryCallFails(*kept.Get());
}

}  // namespace
}  // namespace tessarel::test
