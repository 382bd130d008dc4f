// The property notification point with many sinks: the list that holds
// them grows past its first capacity, keeps the order in which they
// connected, lets go of each sink exactly once, and survives sinks that
// connect or leave while a change is being reported.
#include "control_harness.h"

#include <functional>

namespace tessarel::test {
namespace {

constexpr DISPID kForeColor = 0x68030003;
// Well past the list's first capacity, so that it grows several times.
constexpr int kManySinks = 20;

// Appends its index to a shared log on each change and then runs a step
// that a test gives it.
class OrderSink final : public TestObject<IPropertyNotifySink> {
 public:
  static ComPtr<OrderSink> Create(int index, std::vector<int>& log) { return Adopt(new OrderSink(index, log)); }

  IFACEMETHODIMP OnChanged(DISPID) override {
    log_.push_back(index_);
    if (step) step();
    return answer;
  }
  IFACEMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

  // References held by others than the caller's own one.
  ULONG OtherReferences() const { return References() - 1; }

  std::function<void()> step;
  HRESULT answer = S_OK;

 private:
  OrderSink(int index, std::vector<int>& log) : index_(index), log_(log) {}
  ~OrderSink() override = default;

  int index_;
  std::vector<int>& log_;  // borrowed: the test's
};

using ConnectionTest = ControlTest;

TEST_F(ConnectionTest, ManySinksHearEachChangeInTheirOrderAndAreReleasedOnce) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IConnectionPoint> point = NotifyPoint(control.Get());
  ASSERT_NE(nullptr, point);
  std::vector<int> log;
  std::vector<ComPtr<OrderSink>> sinks;
  std::vector<DWORD> cookies;
  std::vector<int> expected;
  for (int index = 0; index < kManySinks; ++index) {
    sinks.push_back(OrderSink::Create(index, log));
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(sinks.back().Get(), &cookie));
    EXPECT_NE(0u, cookie);
    for (DWORD earlier : cookies) EXPECT_NE(earlier, cookie);
    cookies.push_back(cookie);
    expected.push_back(index);
    EXPECT_EQ(1u, sinks.back()->OtherReferences());
  }
  ASSERT_EQ(S_OK, control->put_ForeColor(0x000000FF));
  EXPECT_EQ(expected, log);

  // The first, the last and every other one leave.
  expected.clear();
  for (int index = 0; index < kManySinks; ++index) {
    if (index % 2 == 0 || index == kManySinks - 1) {
      ASSERT_EQ(S_OK, point->Unadvise(cookies[index]));
      EXPECT_EQ(0u, sinks[index]->OtherReferences());
      EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(cookies[index]));
    } else {
      expected.push_back(index);
    }
  }
  EXPECT_EQ(CONNECT_E_NOCONNECTION, point->Unadvise(0));
  log.clear();
  ASSERT_EQ(S_OK, control->put_ForeColor(0x0000FF00));
  EXPECT_EQ(expected, log);

  // A sink that connects again comes last, under a cookie of its own.
  DWORD again = 0;
  ASSERT_EQ(S_OK, point->Advise(sinks[0].Get(), &again));
  for (DWORD earlier : cookies) EXPECT_NE(earlier, again);
  expected.push_back(0);
  log.clear();
  ASSERT_EQ(S_OK, control->put_ForeColor(0x00FF0000));
  EXPECT_EQ(expected, log);

  // The control lets go of the sinks still connected when it goes.
  point.Reset();
  control.Reset();
  for (const ComPtr<OrderSink>& sink : sinks) EXPECT_EQ(0u, sink->OtherReferences());
}

TEST_F(ConnectionTest, SinksMayConnectAndLeaveWhileAChangeIsReported) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IConnectionPoint> point = NotifyPoint(control.Get());
  ASSERT_NE(nullptr, point);
  std::vector<int> log;
  std::vector<ComPtr<OrderSink>> sinks;
  std::vector<DWORD> cookies(4);
  for (int index = 0; index < 4; ++index) {
    sinks.push_back(OrderSink::Create(index, log));
    ASSERT_EQ(S_OK, point->Advise(sinks.back().Get(), &cookies[index]));
  }
  ComPtr<OrderSink> latecomer = OrderSink::Create(9, log);
  DWORD latecomerCookie = 0;
  // Sink 1 leaves, takes sink 2 with it and brings in a new one: sink 2
  // is not called any more, and the newcomer only from the next change.
  sinks[1]->step = [&] {
    EXPECT_EQ(S_OK, point->Unadvise(cookies[1]));
    EXPECT_EQ(S_OK, point->Unadvise(cookies[2]));
    EXPECT_EQ(S_OK, point->Advise(latecomer.Get(), &latecomerCookie));
  };
  ASSERT_EQ(S_OK, control->put_ForeColor(0x000000FF));
  EXPECT_EQ((std::vector<int>{0, 1, 3}), log);
  EXPECT_EQ(0u, sinks[1]->OtherReferences());
  EXPECT_EQ(0u, sinks[2]->OtherReferences());

  log.clear();
  ASSERT_EQ(S_OK, control->put_ForeColor(0x0000FF00));
  EXPECT_EQ((std::vector<int>{0, 3, 9}), log);
  EXPECT_EQ(S_OK, point->Unadvise(latecomerCookie));
  EXPECT_EQ(S_OK, point->Unadvise(cookies[0]));
  EXPECT_EQ(S_OK, point->Unadvise(cookies[3]));
}

// A change has happened whatever a sink answers: every sink hears of it,
// and the setter reports the change's own success.
TEST_F(ConnectionTest, EverySinkHearsOfAChangeThatTheyReject) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IConnectionPoint> point = NotifyPoint(control.Get());
  ASSERT_NE(nullptr, point);
  std::vector<int> log;
  ComPtr<OrderSink> sinks[] = {OrderSink::Create(0, log), OrderSink::Create(1, log)};
  DWORD cookies[2] = {};
  for (int index = 0; index < 2; ++index) {
    sinks[index]->answer = E_FAIL;
    ASSERT_EQ(S_OK, point->Advise(sinks[index].Get(), &cookies[index]));
  }
  EXPECT_EQ(S_OK, control->put_Text(UniqueBstr(SysAllocString(L"Contact Me")).get()));
  UniqueBstr text;
  ASSERT_EQ(S_OK, control->get_Text(text.put()));
  EXPECT_STREQ(L"Contact Me", text.get());
  EXPECT_EQ((std::vector<int>{0, 1}), log);
  for (DWORD cookie : cookies) EXPECT_EQ(S_OK, point->Unadvise(cookie));
}

TEST_F(ConnectionTest, AdviseRefusesWhatIsNoPropertySink) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IConnectionPoint> point = NotifyPoint(control.Get());
  ASSERT_NE(nullptr, point);
  DWORD cookie = 7;
  EXPECT_EQ(E_POINTER, point->Advise(nullptr, &cookie));
  EXPECT_EQ(0u, cookie);
  cookie = 7;
  EXPECT_EQ(CONNECT_E_CANNOTCONNECT, point->Advise(control.Get(), &cookie));
  EXPECT_EQ(0u, cookie);
  std::vector<int> log;
  ComPtr<OrderSink> sink = OrderSink::Create(0, log);
  EXPECT_EQ(E_POINTER, point->Advise(sink.Get(), nullptr));
  EXPECT_EQ(0u, sink->OtherReferences());
}

// Hosts that list the points instead of asking for one find both: the
// property notification and the (empty) event interface.
TEST_F(ConnectionTest, EnumerationListsBothPointsAndKeepsTheControlAlive) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(S_OK, control.As(&container));
  ComPtr<IEnumConnectionPoints> points;
  ASSERT_EQ(S_OK, container->EnumConnectionPoints(&points));
  container.Reset();
  control.Reset();  // the enumerator's points hold the control from here on

  IConnectionPoint* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_FALSE, points->Next(3, got, &fetched));
  ASSERT_EQ(2u, fetched);
  std::vector<IID> interfaces;
  for (ULONG i = 0; i < fetched; ++i) {
    IID iid{};
    EXPECT_EQ(S_OK, got[i]->GetConnectionInterface(&iid));
    interfaces.push_back(iid);
    got[i]->Release();
  }
  EXPECT_EQ((std::vector<IID>{IID_IPropertyNotifySink, DIID___tessarelcontrol}), interfaces);

  EXPECT_EQ(S_FALSE, points->Next(1, got, nullptr));
  EXPECT_EQ(S_OK, points->Reset());
  EXPECT_EQ(S_OK, points->Skip(1));
  ComPtr<IEnumConnectionPoints> copy;
  ASSERT_EQ(S_OK, points->Clone(&copy));
  EXPECT_EQ(S_FALSE, points->Skip(2));
  ComPtr<IConnectionPoint> last;
  ASSERT_EQ(S_OK, copy->Next(1, &last, nullptr));
  IID iid{};
  EXPECT_EQ(S_OK, last->GetConnectionInterface(&iid));
  EXPECT_EQ(DIID___tessarelcontrol, iid);
  EXPECT_EQ(E_POINTER, copy->Next(2, got, nullptr));
}

}  // namespace
}  // namespace tessarel::test
