#include "about_layout_check.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "about/about_layout.h"
#include "about/about_window.h"
#include "about/hosted_control.h"
#include "about/stored_link_labels.h"
#include "test_support.h"

namespace zenthra::about::testing {
namespace {

using Microsoft::WRL::ComPtr;

int Scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

void ExpectAt(HWND control, const TwipsRect& twips, UINT dpi) {
  const RECT rect = ChildRect(control);
  EXPECT_EQ(rect.left, Scaled(twips.left, dpi));
  EXPECT_EQ(rect.top, Scaled(twips.top, dpi));
  EXPECT_EQ(rect.right - rect.left, Scaled(twips.width, dpi));
  EXPECT_EQ(rect.bottom - rect.top, Scaled(twips.height, dpi));
}

// The font is 8.25 point at `dpi` (its character height in pixels within
// `tolerance` of that), and a line of it fits in the control.
void ExpectFont(HWND control, HFONT font, UINT dpi, int tolerance = 0) {
  LOGFONTW description{};
  ASSERT_NE(GetObjectW(font, sizeof(description), &description), 0);
  EXPECT_NEAR(description.lfHeight, -MulDiv(825, static_cast<int>(dpi), 7200), tolerance);
  HDC dc = GetDC(control);
  ASSERT_NE(dc, nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  EXPECT_TRUE(GetTextMetricsW(dc, &metrics));
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  const RECT rect = ChildRect(control);
  EXPECT_LE(metrics.tmHeight, rect.bottom - rect.top) << "a line of text is cut off";
}

void ExpectOwnFont(HWND control, UINT dpi) {
  ExpectFont(control, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), dpi);
}

// The hosted control draws with the font object behind its Font property.
void ExpectHostedFont(const HostedControl& hosted, UINT dpi) {
  ComPtr<IDispatch> dispatch;
  ASSERT_HRESULT_SUCCEEDED(hosted.object()->QueryInterface(IID_PPV_ARGS(&dispatch)));
  DISPPARAMS none{};
  VARIANT value;
  VariantInit(&value);
  ASSERT_HRESULT_SUCCEEDED(dispatch->Invoke(DISPID_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                            &value, nullptr, nullptr));
  ASSERT_TRUE(value.vt == VT_DISPATCH && value.pdispVal);
  ComPtr<IFont> font;
  const HRESULT hr = value.pdispVal->QueryInterface(IID_PPV_ARGS(&font));
  VariantClear(&value);
  ASSERT_HRESULT_SUCCEEDED(hr);
  HFONT handle = nullptr;  // owned by the font object
  ASSERT_HRESULT_SUCCEEDED(font->get_hFont(&handle));
  ExpectFont(hosted.window(), handle, dpi, 1);
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
    if (const HostedControl* hosted = about->linkLabel(i)) {
      ASSERT_NE(hosted->window(), nullptr);
      const StoredLinkLabel& stored = kStoredLinkLabels[i];
      // The extent is HIMETRIC: 2540 to the inch.
      ExpectAt(hosted->window(),
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
  ASSERT_TRUE(AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi));
  SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

}  // namespace zenthra::about::testing
