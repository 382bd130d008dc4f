#include "label.h"

// Drawing and font handling of lbl_hylinx.

#include <olectl.h>

#include <cstring>

#include "bstr_text.h"
#include "win32/design_font.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

HRESULT MakeFont(bool underline, ComPtr<IFont>& font) {
  FONTDESC description = win32::DesignFontDescription(underline);
  return OleCreateFontIndirect(&description, IID_PPV_ARGS(font.ReleaseAndGetAddressOf()));
}

HRESULT ToColorRef(OLE_COLOR color, COLORREF& colorRef) { return OleTranslateColor(color, nullptr, &colorRef); }

HRESULT FillWith(HDC dc, const RECT& area, OLE_COLOR color) {
  COLORREF colorRef = 0;
  RETURN_IF_FAILED(ToColorRef(color, colorRef));
  win32::UniqueHbrush brush(CreateSolidBrush(colorRef));
  RETURN_HR_IF(E_OUTOFMEMORY, !brush);
  RETURN_LAST_ERROR_IF(FillRect(dc, &area, brush.get()) == 0);
  return S_OK;
}

// What decides how a font draws.
struct FontLook {
  win32::UniqueBstr name;
  CY size{};
  BOOL bold = FALSE;
  BOOL italic = FALSE;
  BOOL underline = FALSE;
  BOOL strikethrough = FALSE;
  SHORT weight = 0;
  SHORT charset = 0;
};

HRESULT ReadLook(IFont* font, FontLook& look) {
  RETURN_IF_FAILED(font->get_Name(look.name.put()));
  RETURN_IF_FAILED(font->get_Size(&look.size));
  RETURN_IF_FAILED(font->get_Bold(&look.bold));
  RETURN_IF_FAILED(font->get_Italic(&look.italic));
  RETURN_IF_FAILED(font->get_Underline(&look.underline));
  RETURN_IF_FAILED(font->get_Strikethrough(&look.strikethrough));
  RETURN_IF_FAILED(font->get_Weight(&look.weight));
  return font->get_Charset(&look.charset);
}

// A focus rectangle a pixel outside the text as drawn with format in area,
// kept inside area. dc has the text's font selected.
HRESULT DrawTextFocus(HDC dc, BSTR text, UINT format, const RECT& area) {
  RECT around = area;
  const UINT length = SysStringLen(text);
  const int height = DrawTextW(dc, BstrChars(text), static_cast<int>(length), &around, format | DT_CALCRECT);
  RETURN_HR_IF(E_FAIL, height == 0 && length != 0);
  InflateRect(&around, 1, 1);
  RECT inside{};
  if (!IntersectRect(&inside, &around, &area)) return S_OK;  // no room to show it
  RETURN_LAST_ERROR_IF(!DrawFocusRect(dc, &inside));
  return S_OK;
}

}  // namespace

HRESULT CreateDesignedLabel(Label& label) {
  label = Label{};
  RETURN_IF_FAILED(AssignText(label.caption, kDesignedCaption));
  return MakeFont(/*underline=*/true, label.font);
}

HRESULT CreateFallbackAmbientFont(ComPtr<IFont>& font) { return MakeFont(/*underline=*/false, font); }

HRESULT FontsDrawAlike(IFont* first, IFont* second, bool& alike) {
  alike = false;
  if (first == nullptr || second == nullptr) {
    alike = first == second;
    return S_OK;
  }
  IFont* const fonts[] = {first, second};  // borrowed from the caller
  FontLook looks[2];
  for (int i = 0; i < 2; ++i) RETURN_IF_FAILED(ReadLook(fonts[i], looks[i]));
  const FontLook& one = looks[0];
  const FontLook& other = looks[1];
  alike = lstrcmpiW(BstrChars(one.name.get()), BstrChars(other.name.get())) == 0 &&
          one.size.int64 == other.size.int64 && !one.bold == !other.bold && !one.italic == !other.italic &&
          !one.underline == !other.underline && !one.strikethrough == !other.strikethrough &&
          one.weight == other.weight && one.charset == other.charset;
  return S_OK;
}

HRESULT ValidateColor(OLE_COLOR color) {
  COLORREF unused = 0;
  return SUCCEEDED(ToColorRef(color, unused)) ? S_OK : CTL_E_INVALIDPROPERTYVALUE;
}

HRESULT DrawnFont::Get(IFont& font, HFONT& drawn) {
  drawn = nullptr;
  HFONT own = nullptr;  // borrowed: owned by the font object
  RETURN_IF_FAILED(font.get_hFont(&own));
  LOGFONTW asked{};
  RETURN_LAST_ERROR_IF(GetObjectW(own, sizeof(asked), &asked) == 0);
  if (!known_ || std::memcmp(&asked, &asked_, sizeof(asked)) != 0) {
    standIn_ = win32::CreateScalableStandIn(asked);
    asked_ = asked;
    known_ = true;
  }
  drawn = standIn_ ? standIn_.get() : own;
  return S_OK;
}

HRESULT LabelDrawnFont(Label& label, HFONT& font) {
  font = nullptr;
  RETURN_HR_IF_NULL(E_UNEXPECTED, label.font);
  return label.drawnFont.Get(*label.font.Get(), font);
}

HRESULT PaintControl(Label& label, HDC dc, const RECT& bounds, SIZE controlTwips, bool showFocus) {
  RETURN_HR_IF(E_INVALIDARG, dc == nullptr || controlTwips.cx <= 0 || controlTwips.cy <= 0);
  // The control's own surface shows wherever the label does not reach
  // (only before the first resize).
  RETURN_IF_FAILED(FillWith(dc, bounds, kSystemButtonFace));
  const long width = bounds.right - bounds.left;
  const long height = bounds.bottom - bounds.top;
  RECT area{bounds.left + MulDiv(label.leftTwips, width, controlTwips.cx),
            bounds.top + MulDiv(label.topTwips, height, controlTwips.cy),
            bounds.left + MulDiv(label.leftTwips + label.widthTwips, width, controlTwips.cx),
            bounds.top + MulDiv(label.topTwips + label.heightTwips, height, controlTwips.cy)};
  RETURN_IF_FAILED(FillWith(dc, area, label.backColor));
  COLORREF textColor = 0;
  RETURN_IF_FAILED(ToColorRef(label.foreColor, textColor));
  HFONT font = nullptr;  // borrowed: owned by the label or its font object
  RETURN_IF_FAILED(LabelDrawnFont(label, font));
  win32::ScopedSelectObject selectFont(dc, font);
  const COLORREF oldColor = SetTextColor(dc, textColor);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  // A label is not a mnemonic target, so '&' is shown as it is.
  constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;
  const UINT length = SysStringLen(label.caption.get());
  const int drawn = DrawTextW(dc, BstrChars(label.caption.get()), static_cast<int>(length), &area, kFormat);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColor);
  RETURN_HR_IF(E_FAIL, drawn == 0 && length != 0);
  return showFocus ? DrawTextFocus(dc, label.caption.get(), kFormat, area) : S_OK;
}

}  // namespace tessarel
