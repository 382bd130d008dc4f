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

}  // namespace

void ExpectAboutClientAreaAt(HWND dialog, UINT dpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(dialog, &client));
  EXPECT_EQ(client.right, Scaled(kAboutLayout.clientWidth, dpi));
  EXPECT_EQ(client.bottom, Scaled(kAboutLayout.clientHeight, dpi));
}

void ExpectAboutLayoutAt(HWND dialog, UINT dpi) {
  for (const ChildLayout& child : kAboutLayout.children) {
    SCOPED_TRACE(child.id);
    HWND control = GetDlgItem(dialog, child.id);
    ASSERT_NE(control, nullptr);
    ExpectAt(control, child.rect, dpi);
    ExpectOwnFont(control, dpi);
  }

  const AboutWindow* about = AboutWindow::FromWindow(dialog);
  ASSERT_NE(about, nullptr);
  for (std::size_t i = 0; i < kStoredLinkLabels.size(); ++i) {
    SCOPED_TRACE(kStoredLinkLabels[i].name);
    const TwipsRect& place = kAboutLayout.linkLabels[i];
    if (const HostedControl* hosted = about->LinkLabelForTests(i)) {
      ASSERT_NE(hosted->Window(), nullptr);
      const StoredLinkLabel& stored = kStoredLinkLabels[i];
      // The extent is HIMETRIC: 2540 to the inch.
      ExpectAt(hosted->Window(),
               {place.left, place.top, MulDiv(stored.extentX, 1440, 2540), MulDiv(stored.extentY, 1440, 2540)}, dpi);
      ExpectHostedFont(*hosted, dpi);
    } else {
      HWND label = GetDlgItem(dialog, kFirstLinkLabel + static_cast<int>(i));
      ASSERT_NE(label, nullptr);
      ExpectAt(label, place, dpi);
      ExpectOwnFont(label, dpi);
    }
  }
}

void SendDpiChanged(HWND dialog, UINT dpi) {
  RECT frame{0, 0, Scaled(kAboutLayout.clientWidth, dpi), Scaled(kAboutLayout.clientHeight, dpi)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  // A DPI without a frame (0) suggests the bare client area.
  AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

}  // namespace zenthra::about::testing
