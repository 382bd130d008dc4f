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
#include "test_support.h"
#include "win32/unique_handle.h"

namespace zenthra::about::testing {
namespace {

using Microsoft::WRL::ComPtr;
using zenthra::test::ExpectPlaced;

// The hosted control draws with the font object behind its Font property.
void ExpectHostedFont(const HostedControl& hosted, UINT dpi) {
  win32::UniqueVariant value;
  ASSERT_HRESULT_SUCCEEDED(GetProperty(hosted.ObjectForTests(), L"Font", value));
  ASSERT_TRUE(value->vt == VT_DISPATCH && value->pdispVal);
  ComPtr<IFont> font;
  ASSERT_HRESULT_SUCCEEDED(value->pdispVal->QueryInterface(IID_PPV_ARGS(&font)));
  HFONT handle = nullptr;  // owned by the font object
  ASSERT_HRESULT_SUCCEEDED(font->get_hFont(&handle));
  zenthra::test::ExpectLayoutFont(hosted.Window(), handle, dpi, 1);
}

// frmAbout's client area and controls in twips, written out here apart from
// the program's table. A link label's stored extent, 1720 by 450 HIMETRIC,
// is 975 by 255 twips, the same as its stand-in label's rectangle.
constexpr int kClientWidth = 5730, kClientHeight = 3555;
constexpr struct {
  int id;
  TwipsRect twips;
} kPlaces[] = {
    {kCmdOK, {4245, 2625, 1260, 345}},          {kCmdSysInfo, {4260, 3075, 1245, 345}},
    {kLblDescription, {1560, 960, 3885, 1170}}, {kLblDisclaimer, {255, 2625, 3870, 825}},
    {kLblTitle, {1560, 120, 3885, 240}},        {kLblVersion, {1560, 600, 3885, 225}},
};
// tessarelcontrol1, 2 and 3, in tab order.
constexpr TwipsRect kLinkLabels[] = {{120, 1680, 975, 255}, {120, 2160, 975, 255}, {120, 1920, 975, 255}};

}  // namespace

void ExpectAboutClientAreaAt(HWND dialog, UINT dpi) {
  zenthra::test::ExpectClientArea(dialog, kClientWidth, kClientHeight, dpi);
}

void ExpectAboutLayoutAt(HWND dialog, UINT dpi) {
  for (const auto& place : kPlaces) {
    SCOPED_TRACE(place.id);
    HWND control = GetDlgItem(dialog, place.id);
    ASSERT_NE(control, nullptr);
    ExpectPlaced(control, place.twips, dpi);
  }

  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (std::size_t i = 0; i < std::size(kLinkLabels); ++i) {
    SCOPED_TRACE(kStoredLinkLabels[i].name);
    if (const HostedControl* hosted = about->LinkLabelForTests(i)) {
      ASSERT_NE(hosted->Window(), nullptr);
      zenthra::test::ExpectAt(hosted->Window(), kLinkLabels[i], dpi);
      ExpectHostedFont(*hosted, dpi);
    } else {
      HWND label = GetDlgItem(dialog, kFirstLinkLabel + static_cast<int>(i));
      ASSERT_NE(label, nullptr);
      ExpectPlaced(label, kLinkLabels[i], dpi);
    }
  }
}

void SendDpiChanged(HWND dialog, UINT dpi) { zenthra::test::SendDpiChanged(dialog, kClientWidth, kClientHeight, dpi); }

}  // namespace zenthra::about::testing
