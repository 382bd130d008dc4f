// tessarelcontrol: new instances, saving and restoring its properties
// (UserControl_InitProperties, _ReadProperties, _WriteProperties) through
// a host's property bag or a stream, and the host's ambient font.
#include "link_control.h"

#include <cstdint>

#include "bstr_text.h"
#include "persisted_value.h"
#include "win32/result.h"

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
  RETURN_IF_FAILED(ReadBagInt32(bag, errorLog, name, value));
  RETURN_IF_FAILED(ValidateColor(static_cast<OLE_COLOR>(value)));
  color = static_cast<OLE_COLOR>(value);
  return S_OK;
}

}  // namespace

IFACEMETHODIMP LinkControl::GetClassID(CLSID* classId) {
  RETURN_HR_IF_NULL(E_POINTER, classId);
  *classId = CLSID_tessarelcontrol;
  return S_OK;
}

// UserControl_InitProperties: caption, colours, font and pointer stay as
// designed; only the link gets its starting value.
IFACEMETHODIMP LinkControl::InitNew() {
  RETURN_IF_FAILED(AssignText(link_, kDefaultLink));
  dirty_ = false;
  return S_OK;
}

// The extent and the five properties, apart from the control: what a Load
// has read and checked, applied only once all of it is (a Load that fails
// leaves the control as it was), or what a Save writes.
struct LinkControl::PropertyValues {
  SIZEL extent{};  // HIMETRIC
  OLE_COLOR foreColor = kDefaultForeColor;
  win32::UniqueBstr text;
  win32::UniqueBstr link;
  ComPtr<IFont> font;
  OLE_COLOR backColor = kDefaultBackColor;
};

HRESULT LinkControl::CurrentValues(PropertyValues& values) const {
  values.extent = extent_;
  values.foreColor = label_.foreColor;
  RETURN_IF_FAILED(AssignBstr(values.text, label_.caption.get()));
  RETURN_IF_FAILED(AssignBstr(values.link, link_.get()));
  values.font = label_.font;  // a reference of its own keeps it alive
  values.backColor = label_.backColor;
  return S_OK;
}

HRESULT LinkControl::ApplyLoaded(PropertyValues& loaded) {
  RETURN_IF_FAILED(ValidateExtent(loaded.extent));
  RETURN_IF_FAILED(ValidateColor(loaded.foreColor));
  RETURN_IF_FAILED(ValidateColor(loaded.backColor));
  RETURN_HR_IF(E_UNEXPECTED, !loaded.text || !loaded.link || loaded.font == nullptr);
  // The one step that can fail; the label then keeps its font.
  RETURN_IF_FAILED(SetLabelFont(std::move(loaded.font)));
  label_.foreColor = loaded.foreColor;
  label_.caption = std::move(loaded.text);
  link_ = std::move(loaded.link);
  label_.backColor = loaded.backColor;
  ApplyExtent(loaded.extent);  // redraws with everything else in place
  dirty_ = false;
  return S_OK;
}

// UserControl_ReadProperties. The host's stored size comes first; a host
// that keeps it elsewhere and calls SetExtent instead works as well.
IFACEMETHODIMP LinkControl::Load(IPropertyBag* bag, IErrorLog* errorLog) {
  RETURN_HR_IF_NULL(E_POINTER, bag);
  const auto keepAlive = KeepAlive();  // the bag and the site (ambient font) are the host's
  PropertyValues loaded;
  std::int32_t extentX = extent_.cx;
  std::int32_t extentY = extent_.cy;
  RETURN_IF_FAILED(ReadBagInt32(bag, errorLog, kExtentXName, extentX));
  RETURN_IF_FAILED(ReadBagInt32(bag, errorLog, kExtentYName, extentY));
  loaded.extent = SIZEL{extentX, extentY};
  RETURN_IF_FAILED(ReadBagColor(bag, errorLog, kForeColorName, kDefaultForeColor, loaded.foreColor));
  RETURN_IF_FAILED(AssignText(loaded.text, kDefaultText));
  RETURN_IF_FAILED(ReadBagString(bag, errorLog, kTextName, loaded.text));
  RETURN_IF_FAILED(AssignText(loaded.link, kDefaultLink));
  RETURN_IF_FAILED(ReadBagString(bag, errorLog, kLinkName, loaded.link));
  RETURN_IF_FAILED(ReadBagFont(bag, errorLog, kFontName, loaded.font));
  if (loaded.font == nullptr) RETURN_IF_FAILED(GetAmbientFont(loaded.font));
  RETURN_IF_FAILED(ReadBagColor(bag, errorLog, kBackColorName, kDefaultBackColor, loaded.backColor));
  return ApplyLoaded(loaded);
}

// UserControl_WriteProperties. A value equal to its default is left out,
// whatever saveAll asks: a host reads a missing entry as the default.
IFACEMETHODIMP LinkControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL /*saveAll*/) {
  RETURN_HR_IF_NULL(E_POINTER, bag);
  const auto keepAlive = KeepAlive();  // the bag and the site (ambient font) are the host's
  PropertyValues values;
  RETURN_IF_FAILED(CurrentValues(values));
  RETURN_IF_FAILED(WriteBagInt32(bag, kExtentXName, values.extent.cx));
  RETURN_IF_FAILED(WriteBagInt32(bag, kExtentYName, values.extent.cy));
  if (values.foreColor != kDefaultForeColor)
    RETURN_IF_FAILED(WriteBagInt32(bag, kForeColorName, static_cast<std::int32_t>(values.foreColor)));
  if (!TextEquals(values.text.get(), kDefaultText)) RETURN_IF_FAILED(WriteBagString(bag, kTextName, values.text.get()));
  if (!TextEquals(values.link.get(), kDefaultLink)) RETURN_IF_FAILED(WriteBagString(bag, kLinkName, values.link.get()));
  ComPtr<IFont> ambientFont;
  RETURN_IF_FAILED(GetAmbientFont(ambientFont));
  bool sameAsAmbient = false;
  RETURN_IF_FAILED(FontsDrawAlike(values.font.Get(), ambientFont.Get(), sameAsAmbient));
  if (!sameAsAmbient) RETURN_IF_FAILED(WriteBagFont(bag, kFontName, values.font.Get()));
  if (values.backColor != kDefaultBackColor)
    RETURN_IF_FAILED(WriteBagInt32(bag, kBackColorName, static_cast<std::int32_t>(values.backColor)));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

IFACEMETHODIMP LinkControl::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

// The stream holds every value, defaults included, in the bag's order:
// extent x and y (HIMETRIC), fore colour, caption, link, font, back colour.
IFACEMETHODIMP LinkControl::Load(IStream* stream) {
  RETURN_HR_IF_NULL(E_POINTER, stream);
  const auto keepAlive = KeepAlive();  // the stream is the host's
  PropertyValues loaded;
  std::uint32_t extentX = 0, extentY = 0, foreColor = 0, backColor = 0;
  RETURN_IF_FAILED(ReadStreamUInt32(stream, extentX));
  RETURN_IF_FAILED(ReadStreamUInt32(stream, extentY));
  RETURN_IF_FAILED(ReadStreamUInt32(stream, foreColor));
  RETURN_IF_FAILED(ReadStreamString(stream, loaded.text));
  RETURN_IF_FAILED(ReadStreamString(stream, loaded.link));
  RETURN_IF_FAILED(ReadStreamFont(stream, loaded.font));
  RETURN_IF_FAILED(ReadStreamUInt32(stream, backColor));
  loaded.extent = SIZEL{static_cast<LONG>(extentX), static_cast<LONG>(extentY)};
  loaded.foreColor = foreColor;
  loaded.backColor = backColor;
  return ApplyLoaded(loaded);
}

IFACEMETHODIMP LinkControl::Save(IStream* stream, BOOL clearDirty) {
  RETURN_HR_IF_NULL(E_POINTER, stream);
  const auto keepAlive = KeepAlive();  // the stream is the host's
  PropertyValues values;
  RETURN_IF_FAILED(CurrentValues(values));
  RETURN_IF_FAILED(WriteStreamUInt32(stream, static_cast<std::uint32_t>(values.extent.cx)));
  RETURN_IF_FAILED(WriteStreamUInt32(stream, static_cast<std::uint32_t>(values.extent.cy)));
  RETURN_IF_FAILED(WriteStreamUInt32(stream, values.foreColor));
  RETURN_IF_FAILED(WriteStreamString(stream, values.text.get()));
  RETURN_IF_FAILED(WriteStreamString(stream, values.link.get()));
  RETURN_IF_FAILED(WriteStreamFont(stream, values.font.Get()));
  RETURN_IF_FAILED(WriteStreamUInt32(stream, values.backColor));
  if (clearDirty) dirty_ = false;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (size != nullptr) size->QuadPart = 0;
  return E_NOTIMPL;
}

HRESULT LinkControl::GetAmbientFont(ComPtr<IFont>& font) {
  font.Reset();
  ComPtr<IDispatch> ambient;
  if (clientSite_ == nullptr || FAILED(clientSite_->QueryInterface(IID_PPV_ARGS(&ambient))))
    return CreateFallbackAmbientFont(font);
  DISPPARAMS noArguments{};
  win32::UniqueVariant result;
  const HRESULT hr = ambient->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                     &noArguments, result.get(), nullptr, nullptr);
  if (hr == DISP_E_MEMBERNOTFOUND) return CreateFallbackAmbientFont(font);
  RETURN_IF_FAILED(hr);
  RETURN_HR_IF(DISP_E_TYPEMISMATCH,
               (result->vt != VT_DISPATCH && result->vt != VT_UNKNOWN) || result->punkVal == nullptr);
  ComPtr<IFont> hostFont;
  RETURN_IF_FAILED(result->punkVal->QueryInterface(IID_PPV_ARGS(&hostFont)));
  // A copy, so that later changes of the host's font leave the label alone.
  return hostFont->Clone(font.ReleaseAndGetAddressOf());
}

}  // namespace tessarel
