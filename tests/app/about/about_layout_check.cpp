#include "about_layout_check.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "about/about_layout.h"
#include "about/about_window.h"
#include "about/hosted_control.h"
#include "about/stored_link_labels.h"
#include "layout_expectations.h"
#include "win32/unique_handle.h"

namespace zenthra::about::testing {
namespace {

using Microsoft::WRL::ComPtr;
using zenthra::test::ExpectAt;
using zenthra::test::ExpectLayoutFont;
using zenthra::test::Scaled;

void ExpectOwnFont(HWND control, UINT dpi) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  ExpectLayoutFont(control, font, dpi);
  zenthra::test::ExpectLayoutFace(control, font, dpi);
}

// The hosted control draws with the font object behind its Font property.
void ExpectHostedFont(const HostedControl& hosted, UINT dpi) {
  ComPtr<IDispatch> dispatch;
  ASSERT_HRESULT_SUCCEEDED(hosted.ObjectForTests()->QueryInterface(IID_PPV_ARGS(&dispatch)));
  DISPPARAMS none{};
  win32::UniqueVariant value;
  ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(DISPID_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                            value.get(), nullptr, nullptr));
  ASSERT_TRUE(value->vt == VT_DISPATCH && value->pdispVal);
  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(value->pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
  HFONT handle = nullptr;  // owned by the font object
  ASSERT_HRESULT_SUCCEEDED(font->get_hFont(&handle));
  // A font object rounds half a pixel its own way.
  ExpectLayoutFont(hosted.Window(), handle, dpi, 1);
}


// frmAbout's client area and controls in twips, written out here apart from
// the program's table. A link label's stored extent, 1720 by 450 HIMETRIC,
// is 975 by 255 twips, the same as its stand-in label's rectangle.
constexpr int kClientWidth = 5730, kClientHeight = 3555;
constexpr struct {
  int id;
  TwipsRect twips;
} kPlaces[] = {
    {kCmdOK, {4245, 2625, 1260, 345}},         {kCmdSysInfo, {4260, 3075, 1245, 345}},
    {kLblDescription, {1560, 960, 3885, 1170}}, {kLblDisclaimer, {255, 2625, 3870, 825}},
    {kLblTitle, {1560, 120, 3885, 240}},        {kLblVersion, {1560, 600, 3885, 225}},
};
// tessarelcontrol1, 2 and 3, in tab order.
constexpr TwipsRect kLinkLabels[] = {{120, 1680, 975, 255}, {120, 2160, 975, 255}, {120, 1920, 975, 255}};

}  // namespace

void ExpectAboutClientAreaAt(HWND dialog, UINT dpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(dialog, &client));
  EXPECT_EQ(client.right, Scaled(kClientWidth, dpi));
  EXPECT_EQ(client.bottom, Scaled(kClientHeight, dpi));
}

void ExpectAboutLayoutAt(HWND dialog, UINT dpi) {
  for (const auto& place : kPlaces) {
    SCOPED_TRACE(place.id);
    HWND control = GetDlgItem(dialog, place.id);
    ASSERT_NE(control, nullptr);
    ExpectAt(control, place.twips, dpi);
    ExpectOwnFont(control, dpi);
  }

  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (std::size_t i = 0; i < std::size(kLinkLabels); ++i) {
    SCOPED_TRACE(kStoredLinkLabels[i].name);
    if (const HostedControl* hosted = about->LinkLabelForTests(i)) {
      ASSERT_NE(hosted->Window(), nullptr);
      ExpectAt(hosted->Window(), kLinkLabels[i], dpi);
      ExpectHostedFont(*hosted, dpi);
    } else {
      HWND label = GetDlgItem(dialog, kFirstLinkLabel + static_cast<int>(i));
      ASSERT_NE(label, nullptr);
      ExpectAt(label, kLinkLabels[i], dpi);
      ExpectOwnFont(label, dpi);
    }
  }
}

void SendDpiChanged(HWND dialog, UINT dpi) {
  RECT frame{0, 0, Scaled(kClientWidth, dpi), Scaled(kClientHeight, dpi)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  // A DPI without a frame (0) suggests the bare client area.
  AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

}  // namespace zenthra::about::testing
