// Hosts that call back into the control, or let go of it, from inside the
// calls the control makes to them.
#include "control_harness.h"

namespace tessarel::test {
namespace {

using HostileHostTest = ControlTest;

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

}  // namespace
}  // namespace tessarel::test
