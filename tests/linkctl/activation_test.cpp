// The control in a host: in-place activation in a child window of the
// site, moving, resizing so that the label covers the control, drawing,
// and closing.
#include "control_harness.h"

namespace tessarel::test {
namespace {

constexpr RECT kPosition{20, 30, 220, 50};
// 1 inch by 0.25 inch at any resolution.
constexpr SIZEL kExtent{2540, 635};
constexpr COLORREF kRed = RGB(255, 0, 0);

using ActivationTest = ControlTest;

TEST_F(ActivationTest, InPlaceActivationCreatesAChildWindowAtThePositionAndCloseDestroysIt) {
  ComPtr<TestHost> host = TestHost::Create(nullptr, kPosition);
  ASSERT_NE(nullptr, host);
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  DWORD status = 0;
  ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
  EXPECT_EQ(0x00020191u, status);
  ASSERT_EQ(S_OK, SiteAndActivate(control.Get(), host.Get(), kExtent));
  EXPECT_EQ(1, host->activations);

  ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_HRESULT_SUCCEEDED(control.As(&inPlace));
  HWND window = nullptr;
  ASSERT_EQ(S_OK, inPlace->GetWindow(&window));
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(host->Window(), GetParent(window));
  EXPECT_TRUE(IsWindowVisible(window));
  RECT placed{};
  GetWindowRect(window, &placed);
  MapWindowPoints(nullptr, host->Window(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_TRUE(EqualRect(&kPosition, &placed));

  // Activating again keeps the one window.
  ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_SHOW, nullptr, host.Get(), 0, host->Window(), nullptr));
  HWND again = nullptr;
  ASSERT_EQ(S_OK, inPlace->GetWindow(&again));
  EXPECT_EQ(window, again);

  // Another site is refused while active, and nothing changes.
  ComPtr<TestHost> otherHost = TestHost::Create(nullptr, kPosition);
  EXPECT_EQ(E_UNEXPECTED, object->SetClientSite(otherHost.Get()));
  ComPtr<IOleClientSite> site;
  ASSERT_EQ(S_OK, object->GetClientSite(&site));
  EXPECT_TRUE(win32::SameObject(static_cast<IOleClientSite*>(host.Get()), site.Get()));
  EXPECT_EQ(host->Window(), GetParent(window));
  site.Reset();
  EXPECT_EQ(S_OK, object->SetClientSite(host.Get()));

  const RECT moved{5, 6, 305, 26};
  ASSERT_EQ(S_OK, inPlace->SetObjectRects(&moved, &moved));
  GetWindowRect(window, &placed);
  MapWindowPoints(nullptr, host->Window(), reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_TRUE(EqualRect(&moved, &placed));

  ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(1, host->deactivations);
  EXPECT_EQ(E_FAIL, inPlace->GetWindow(&again));
  ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
}

TEST_F(ActivationTest, ActivationWithoutASiteFails) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  EXPECT_TRUE(FAILED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, nullptr, &kPosition)));
  EXPECT_EQ(E_POINTER, object->SetExtent(DVASPECT_CONTENT, nullptr));
  SIZEL negative{-1, 10};
  EXPECT_EQ(E_INVALIDARG, object->SetExtent(DVASPECT_CONTENT, &negative));
  DWORD connection = 7;
  EXPECT_EQ(E_POINTER, object->Advise(nullptr, &connection));
  EXPECT_EQ(0u, connection);
}

class DrawTest : public ControlTest {
 protected:
  // Draws the control into a bitmap of size pixels and returns the
  // colour at x, y.
  static COLORREF DrawAndSample(IUnknown* control, SIZE size, int x, int y) {
    ComPtr<IViewObject2> view;
    EXPECT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&view)));
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc dc(CreateCompatibleDC(screen));
    UniqueHbitmap bitmap(CreateCompatibleBitmap(screen, size.cx, size.cy));
    ReleaseDC(nullptr, screen);
    ScopedSelectObject select(dc.get(), bitmap.get());
    const RECTL bounds{0, 0, size.cx, size.cy};
    EXPECT_EQ(S_OK,
              view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &bounds, nullptr, nullptr, 0));
    return GetPixel(dc.get(), x, y);
  }
};

TEST_F(DrawTest, AfterAResizeTheLabelCoversTheWholeControl) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ASSERT_EQ(S_OK, control->put_BackColor(0x000000FF));  // red
  constexpr SIZE kBitmap{400, 100};

  // Before any resize the label has its designed size, a little smaller
  // than the control: the bottom-right corner is the control's own face.
  EXPECT_NE(kRed, DrawAndSample(control.Get(), kBitmap, kBitmap.cx - 1, kBitmap.cy - 1));
  EXPECT_EQ(kRed, DrawAndSample(control.Get(), kBitmap, 1, 1));

  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  // The host's first sizing, to the design size the control already has,
  // is a resize too.
  SIZEL designSize{};
  ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &designSize));
  for (SIZEL extent : {designSize, SIZEL{10000, 2000}, SIZEL{500, 300}}) {
    ASSERT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(kRed, DrawAndSample(control.Get(), kBitmap, kBitmap.cx - 1, kBitmap.cy - 1)) << extent.cx;
  }
}

TEST_F(DrawTest, SystemColoursAreResolvedWhenDrawn) {
  ComPtr<_tessarelcontrol> control = NewControl();
  ComPtr<IOleObject> object;
  ASSERT_HRESULT_SUCCEEDED(control.As(&object));
  ASSERT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, const_cast<SIZEL*>(&kExtent)));
  ASSERT_EQ(S_OK, control->put_Text(UniqueBstr(SysAllocString(L"")).get()));
  ASSERT_EQ(S_OK, control->put_BackColor(0x80000005));  // window background
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), DrawAndSample(control.Get(), SIZE{100, 20}, 50, 10));
}

}  // namespace
}  // namespace tessarel::test
