// tessarelcontrol: new instances, saving and restoring its properties
// (UserControl_InitProperties, _ReadProperties, _WriteProperties) through
// a host's property bag or a stream, and the host's ambient font.
#include "link_control.h"

#include "bstr_text.h"
#include "persisted_value.h"

#include <cstdint>

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

// In the order in which they are read and written.
constexpr PersistedName kExtentXName{L"_ExtentX", L"_extentx"};
constexpr PersistedName kExtentYName{L"_ExtentY", L"_extenty"};
constexpr PersistedName kForeColorName{L"ForeColor", L"forecolor"};
constexpr PersistedName kTextName{L"Text", L"text"};
constexpr PersistedName kLinkName{L"Link", L"link"};
constexpr PersistedName kFontName{L"Font", L"font"};
constexpr PersistedName kBackColorName{L"BackColor", L"backcolor"};

constexpr OLE_COLOR kDefaultForeColor = kSystemButtonText;
constexpr OLE_COLOR kDefaultBackColor = kSystemButtonFace;
constexpr const wchar_t* kDefaultText = kDesignedCaption;

HRESULT ReadBagColor(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, OLE_COLOR fallback,
                     OLE_COLOR& color) {
  std::int32_t value = static_cast<std::int32_t>(fallback);
  HRESULT hr = ReadBagInt32(bag, errorLog, name, value);
  if (FAILED(hr)) {
    return hr;
  }
  if (FAILED(hr = ValidateColor(static_cast<OLE_COLOR>(value)))) {
    return hr;
  }
  color = static_cast<OLE_COLOR>(value);
  return S_OK;
}

}  // namespace

IFACEMETHODIMP LinkControl::GetClassID(CLSID* classId) {
  if (classId == nullptr) {
    return E_POINTER;
  }
  *classId = CLSID_tessarelcontrol;
  return S_OK;
}

// UserControl_InitProperties: caption, colours, font and pointer stay as
// designed; only the link gets its starting value.
IFACEMETHODIMP LinkControl::InitNew() {
  HRESULT hr = AssignText(link_, kDefaultLink);
  if (FAILED(hr)) {
    return hr;
  }
  dirty_ = false;
  return S_OK;
}

// UserControl_ReadProperties. The host's stored size comes first; a host
// that keeps it elsewhere and calls SetExtent instead works as well.
IFACEMETHODIMP LinkControl::Load(IPropertyBag* bag, IErrorLog* errorLog) {
  if (bag == nullptr) {
    return E_POINTER;
  }
  std::int32_t extentX = extent_.cx;
  std::int32_t extentY = extent_.cy;
  HRESULT hr = S_OK;
  if (FAILED(hr = ReadBagInt32(bag, errorLog, kExtentXName, extentX)) ||
      FAILED(hr = ReadBagInt32(bag, errorLog, kExtentYName, extentY))) {
    return hr;
  }
  if (FAILED(hr = ApplyExtent(SIZEL{extentX, extentY}))) {
    return hr;
  }

  OLE_COLOR foreColor = kDefaultForeColor;
  if (FAILED(hr = ReadBagColor(bag, errorLog, kForeColorName, kDefaultForeColor, foreColor))) {
    return hr;
  }
  label_.foreColor = foreColor;

  win32::UniqueBstr text;
  if (FAILED(hr = AssignText(text, kDefaultText)) || FAILED(hr = ReadBagString(bag, errorLog, kTextName, text))) {
    return hr;
  }
  label_.caption = std::move(text);

  win32::UniqueBstr link;
  if (FAILED(hr = AssignText(link, kDefaultLink)) || FAILED(hr = ReadBagString(bag, errorLog, kLinkName, link))) {
    return hr;
  }
  link_ = std::move(link);

  ComPtr<IFont> font;
  if (FAILED(hr = ReadBagFont(bag, errorLog, kFontName, font))) {
    return hr;
  }
  if (font == nullptr && FAILED(hr = GetAmbientFont(font))) {
    return hr;
  }
  if (FAILED(hr = SetLabelFont(std::move(font)))) {
    return hr;
  }

  OLE_COLOR backColor = kDefaultBackColor;
  if (FAILED(hr = ReadBagColor(bag, errorLog, kBackColorName, kDefaultBackColor, backColor))) {
    return hr;
  }
  label_.backColor = backColor;

  dirty_ = false;
  Refresh();
  return S_OK;
}

// UserControl_WriteProperties. A value equal to its default is left out,
// whatever saveAll asks: a host reads a missing entry as the default.
IFACEMETHODIMP LinkControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL /*saveAll*/) {
  if (bag == nullptr) {
    return E_POINTER;
  }
  HRESULT hr = S_OK;
  if (FAILED(hr = WriteBagInt32(bag, kExtentXName, extent_.cx)) ||
      FAILED(hr = WriteBagInt32(bag, kExtentYName, extent_.cy))) {
    return hr;
  }
  if (label_.foreColor != kDefaultForeColor &&
      FAILED(hr = WriteBagInt32(bag, kForeColorName, static_cast<std::int32_t>(label_.foreColor)))) {
    return hr;
  }
  if (!TextEquals(label_.caption.get(), kDefaultText) &&
      FAILED(hr = WriteBagString(bag, kTextName, label_.caption.get()))) {
    return hr;
  }
  if (!TextEquals(link_.get(), kDefaultLink) && FAILED(hr = WriteBagString(bag, kLinkName, link_.get()))) {
    return hr;
  }
  ComPtr<IFont> ambientFont;
  if (FAILED(hr = GetAmbientFont(ambientFont))) {
    return hr;
  }
  bool sameAsAmbient = false;
  if (FAILED(hr = FontsDrawAlike(label_.font.Get(), ambientFont.Get(), sameAsAmbient))) {
    return hr;
  }
  if (!sameAsAmbient && FAILED(hr = WriteBagFont(bag, kFontName, label_.font.Get()))) {
    return hr;
  }
  if (label_.backColor != kDefaultBackColor &&
      FAILED(hr = WriteBagInt32(bag, kBackColorName, static_cast<std::int32_t>(label_.backColor)))) {
    return hr;
  }
  if (clearDirty) {
    dirty_ = false;
  }
  return S_OK;
}

IFACEMETHODIMP LinkControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

// The stream holds every value, defaults included, in the bag's order:
// extent x and y (HIMETRIC), fore colour, caption, link, font, back colour.
IFACEMETHODIMP LinkControl::Load(IStream* stream) {
  if (stream == nullptr) {
    return E_POINTER;
  }
  std::uint32_t extentX = 0, extentY = 0, foreColor = 0, backColor = 0;
  win32::UniqueBstr text, link;
  ComPtr<IFont> font;
  HRESULT hr = S_OK;
  if (FAILED(hr = ReadStreamUInt32(stream, extentX)) || FAILED(hr = ReadStreamUInt32(stream, extentY)) ||
      FAILED(hr = ReadStreamUInt32(stream, foreColor)) || FAILED(hr = ReadStreamString(stream, text)) ||
      FAILED(hr = ReadStreamString(stream, link)) || FAILED(hr = ReadStreamFont(stream, font)) ||
      FAILED(hr = ReadStreamUInt32(stream, backColor))) {
    return hr;
  }
  if (FAILED(hr = ValidateColor(foreColor)) || FAILED(hr = ValidateColor(backColor))) {
    return hr;
  }
  if (FAILED(hr = ApplyExtent(SIZEL{static_cast<LONG>(extentX), static_cast<LONG>(extentY)}))) {
    return hr;
  }
  if (FAILED(hr = SetLabelFont(std::move(font)))) {
    return hr;
  }
  label_.foreColor = foreColor;
  label_.caption = std::move(text);
  link_ = std::move(link);
  label_.backColor = backColor;
  dirty_ = false;
  Refresh();
  return S_OK;
}

IFACEMETHODIMP LinkControl::Save(IStream* stream, BOOL clearDirty) {
  if (stream == nullptr) {
    return E_POINTER;
  }
  HRESULT hr = S_OK;
  if (FAILED(hr = WriteStreamUInt32(stream, static_cast<std::uint32_t>(extent_.cx))) ||
      FAILED(hr = WriteStreamUInt32(stream, static_cast<std::uint32_t>(extent_.cy))) ||
      FAILED(hr = WriteStreamUInt32(stream, label_.foreColor)) ||
      FAILED(hr = WriteStreamString(stream, label_.caption.get())) ||
      FAILED(hr = WriteStreamString(stream, link_.get())) || FAILED(hr = WriteStreamFont(stream, label_.font.Get())) ||
      FAILED(hr = WriteStreamUInt32(stream, label_.backColor))) {
    return hr;
  }
  if (clearDirty) {
    dirty_ = false;
  }
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (size != nullptr) {
    size->QuadPart = 0;
  }
  return E_NOTIMPL;
}

HRESULT LinkControl::GetAmbientFont(ComPtr<IFont>& font) {
  font.Reset();
  ComPtr<IDispatch> ambient;
  if (clientSite_ == nullptr || FAILED(clientSite_->QueryInterface(IID_PPV_ARGS(&ambient)))) {
    return CreateFallbackAmbientFont(font);
  }
  DISPPARAMS noArguments{};
  win32::UniqueVariant result;
  HRESULT hr = ambient->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                               result.get(), nullptr, nullptr);
  if (hr == DISP_E_MEMBERNOTFOUND) {
    return CreateFallbackAmbientFont(font);
  }
  if (FAILED(hr)) {
    return hr;
  }
  if ((result->vt != VT_DISPATCH && result->vt != VT_UNKNOWN) || result->punkVal == nullptr) {
    return DISP_E_TYPEMISMATCH;
  }
  ComPtr<IFont> hostFont;
  if (FAILED(hr = result->punkVal->QueryInterface(IID_PPV_ARGS(&hostFont)))) {
    return hr;
  }
  // A copy, so that later changes of the host's font leave the label alone.
  return hostFont->Clone(font.ReleaseAndGetAddressOf());
}

}  // namespace tessarel
