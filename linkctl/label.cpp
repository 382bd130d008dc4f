// Drawing and font handling of lbl_hylinx.
#include "label.h"

#include "bstr_text.h"
#include "win32/unique_handle.h"

#include <olectl.h>

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

constexpr wchar_t kDesignFaceName[] = L"MS Sans Serif";
// 8.25 point as a CY (the size in ten-thousandths of a point).
constexpr LONGLONG kDesignFontSize = 82500;
constexpr SHORT kNormalWeight = FW_NORMAL;

HRESULT MakeFont(bool underline, ComPtr<IFont>& font) {
  FONTDESC description{};
  description.cbSizeofstruct = sizeof(description);
  description.lpstrName = const_cast<LPOLESTR>(kDesignFaceName);
  description.cySize.int64 = kDesignFontSize;
  description.sWeight = kNormalWeight;
  description.sCharset = ANSI_CHARSET;
  description.fItalic = FALSE;
  description.fUnderline = underline ? TRUE : FALSE;
  description.fStrikethrough = FALSE;
  return OleCreateFontIndirect(&description, IID_PPV_ARGS(font.ReleaseAndGetAddressOf()));
}

HRESULT ToColorRef(OLE_COLOR color, COLORREF& colorRef) { return OleTranslateColor(color, nullptr, &colorRef); }

HRESULT FillWith(HDC dc, const RECT& area, OLE_COLOR color) {
  COLORREF colorRef = 0;
  HRESULT hr = ToColorRef(color, colorRef);
  if (FAILED(hr)) {
    return hr;
  }
  win32::UniqueHbrush brush(CreateSolidBrush(colorRef));
  if (!brush) {
    return E_OUTOFMEMORY;
  }
  if (FillRect(dc, &area, brush.get()) == 0) {
    return HRESULT_FROM_WIN32(GetLastError());
  }
  return S_OK;
}

}  // namespace

HRESULT CreateDesignedLabel(Label& label) {
  label = Label{};
  HRESULT hr = AssignText(label.caption, kDesignedCaption);
  if (FAILED(hr)) {
    return hr;
  }
  return MakeFont(/*underline=*/true, label.font);
}

HRESULT CreateFallbackAmbientFont(ComPtr<IFont>& font) { return MakeFont(/*underline=*/false, font); }

HRESULT FontsDrawAlike(IFont* first, IFont* second, bool& alike) {
  alike = false;
  if (first == nullptr || second == nullptr) {
    alike = first == second;
    return S_OK;
  }
  win32::UniqueBstr firstName, secondName;
  CY firstSize{}, secondSize{};
  BOOL firstBold = FALSE, secondBold = FALSE, firstItalic = FALSE, secondItalic = FALSE;
  BOOL firstUnderline = FALSE, secondUnderline = FALSE, firstStrike = FALSE, secondStrike = FALSE;
  SHORT firstWeight = 0, secondWeight = 0, firstCharset = 0, secondCharset = 0;
  HRESULT hr = S_OK;
  if (FAILED(hr = first->get_Name(firstName.put())) || FAILED(hr = second->get_Name(secondName.put())) ||
      FAILED(hr = first->get_Size(&firstSize)) || FAILED(hr = second->get_Size(&secondSize)) ||
      FAILED(hr = first->get_Bold(&firstBold)) || FAILED(hr = second->get_Bold(&secondBold)) ||
      FAILED(hr = first->get_Italic(&firstItalic)) || FAILED(hr = second->get_Italic(&secondItalic)) ||
      FAILED(hr = first->get_Underline(&firstUnderline)) || FAILED(hr = second->get_Underline(&secondUnderline)) ||
      FAILED(hr = first->get_Strikethrough(&firstStrike)) || FAILED(hr = second->get_Strikethrough(&secondStrike)) ||
      FAILED(hr = first->get_Weight(&firstWeight)) || FAILED(hr = second->get_Weight(&secondWeight)) ||
      FAILED(hr = first->get_Charset(&firstCharset)) || FAILED(hr = second->get_Charset(&secondCharset))) {
    return hr;
  }
  const wchar_t* firstText = firstName.get() ? firstName.get() : L"";
  const wchar_t* secondText = secondName.get() ? secondName.get() : L"";
  alike = lstrcmpiW(firstText, secondText) == 0 && firstSize.int64 == secondSize.int64 && !firstBold == !secondBold &&
          !firstItalic == !secondItalic && !firstUnderline == !secondUnderline && !firstStrike == !secondStrike &&
          firstWeight == secondWeight && firstCharset == secondCharset;
  return S_OK;
}

HRESULT ValidateColor(OLE_COLOR color) {
  COLORREF unused = 0;
  return SUCCEEDED(ToColorRef(color, unused)) ? S_OK : CTL_E_INVALIDPROPERTYVALUE;
}

HRESULT PaintControl(const Label& label, HDC dc, const RECT& bounds, SIZE controlTwips) {
  if (dc == nullptr || controlTwips.cx <= 0 || controlTwips.cy <= 0) {
    return E_INVALIDARG;
  }
  // The control's own surface shows wherever the label does not reach
  // (only before the first resize).
  HRESULT hr = FillWith(dc, bounds, kSystemButtonFace);
  if (FAILED(hr)) {
    return hr;
  }
  const long width = bounds.right - bounds.left;
  const long height = bounds.bottom - bounds.top;
  RECT area{bounds.left + MulDiv(label.leftTwips, width, controlTwips.cx),
            bounds.top + MulDiv(label.topTwips, height, controlTwips.cy),
            bounds.left + MulDiv(label.leftTwips + label.widthTwips, width, controlTwips.cx),
            bounds.top + MulDiv(label.topTwips + label.heightTwips, height, controlTwips.cy)};
  if (FAILED(hr = FillWith(dc, area, label.backColor))) {
    return hr;
  }
  COLORREF textColor = 0;
  if (FAILED(hr = ToColorRef(label.foreColor, textColor))) {
    return hr;
  }
  HFONT font = nullptr;  // borrowed: owned by the label's font object
  if (label.font == nullptr) {
    return E_UNEXPECTED;
  }
  if (FAILED(hr = label.font->get_hFont(&font))) {
    return hr;
  }
  win32::ScopedSelectObject selectFont(dc, font);
  const COLORREF oldColor = SetTextColor(dc, textColor);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  // A label is not a mnemonic target, so '&' is shown as it is.
  const UINT length = SysStringLen(label.caption.get());
  const int drawn = DrawTextW(dc, BstrChars(label.caption.get()), static_cast<int>(length), &area,
                              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  if (drawn == 0 && length != 0) {
    return E_FAIL;
  }
  return S_OK;
}

}  // namespace tessarel
