#include "link_control.h"

// tessarelcontrol: creation, its interfaces, IDispatch, the five
// properties, the connection points and the class information.

#include <climits>
#include <new>

#include "bstr_text.h"
#include "connection_point_enumerator.h"
#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

LinkControl::LinkControl()
    : propertyNotifyPoint_(Identity(), IID_IPropertyNotifySink), eventPoint_(Identity(), DIID___tessarelcontrol) {}

LinkControl::~LinkControl() {
  // Nothing may reach the control while its members go: the window would
  // report losing the focus as it is destroyed.
  if (window_) DetachLabelWindow(window_.get());
  DestroyWindows();
  fontWatch_.Stop();
}

void LinkControl::DestroyWindows() noexcept {
  tooltip_.Destroy();
  window_.reset();
}

HRESULT LinkControl::Create(REFIID riid, void** object) {
  RETURN_HR_IF_NULL(E_POINTER, object);
  *object = nullptr;
  ComPtr<LinkControl> control = win32::Adopt(new (std::nothrow) LinkControl());
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, control);
  RETURN_IF_FAILED(control->Initialize());
  return control->QueryInterface(riid, object);
}

HRESULT LinkControl::Initialize() {
  RETURN_IF_FAILED(GetTypeLibrary(typeLibrary_, typeInfo_));
  RETURN_IF_FAILED(CreateDesignedLabel(label_));
  RETURN_IF_FAILED(fontWatch_.Watch(label_.font.Get(), this));
  extent_ = SIZEL{TwipsToHimetric(kDesignWidthTwips), TwipsToHimetric(kDesignHeightTwips)};
  return S_OK;
}

// IDispatch

IFACEMETHODIMP LinkControl::GetTypeInfoCount(UINT* count) {
  RETURN_HR_IF_NULL(E_POINTER, count);
  *count = 1;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
  RETURN_HR_IF_NULL(E_POINTER, typeInfo);
  *typeInfo = nullptr;
  RETURN_HR_IF(DISP_E_BADINDEX, index != 0);
  typeInfo_->AddRef();
  *typeInfo = typeInfo_;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, riid != IID_NULL);
  RETURN_HR_IF(E_POINTER, names == nullptr || ids == nullptr);
  return typeInfo_->GetIDsOfNames(names, count, ids);
}

IFACEMETHODIMP LinkControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) {
  RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, riid != IID_NULL);
  RETURN_HR_IF_NULL(E_POINTER, params);
  constexpr UINT kNotSaid = UINT_MAX;
  if (argumentError != nullptr) *argumentError = kNotSaid;
  const HRESULT hr =
      typeInfo_->Invoke(static_cast<_tessarelcontrol*>(this), id, flags, params, result, exception, argumentError);
  // The automation runtime does not always say which argument did not
  // convert. Every member has at most one parameter: for a setter it is
  // the value, named DISPID_PROPERTYPUT or else the only positional one.
  if (hr == DISP_E_TYPEMISMATCH && argumentError != nullptr && *argumentError == kNotSaid && params->cArgs != 0) {
    UINT value = params->cArgs - 1;
    for (UINT named = 0; named < params->cNamedArgs && params->rgdispidNamedArgs != nullptr; ++named)
      if (params->rgdispidNamedArgs[named] == DISPID_PROPERTYPUT) value = named;
    *argumentError = value;
  }
  return hr;
}

// _tessarelcontrol

namespace {

// Both colours of the label are read alike.
HRESULT GetColor(OLE_COLOR held, OLE_COLOR* color) {
  RETURN_HR_IF_NULL(E_POINTER, color);
  *color = held;
  return S_OK;
}

}  // namespace

HRESULT LinkControl::SetColor(OLE_COLOR& held, OLE_COLOR color, DISPID dispatchId) {
  RETURN_IF_FAILED(ValidateColor(color));
  if (held == color) return S_OK;  // no change, so nothing to report
  held = color;
  PropertyChanged(dispatchId);
  return S_OK;
}

IFACEMETHODIMP LinkControl::get_ForeColor(OLE_COLOR* ForeColor) { return GetColor(label_.foreColor, ForeColor); }

IFACEMETHODIMP LinkControl::put_ForeColor(OLE_COLOR New_ForeColor) {
  return SetColor(label_.foreColor, New_ForeColor, kDispIdForeColor);
}

IFACEMETHODIMP LinkControl::get_Text(BSTR* Text) {
  RETURN_HR_IF_NULL(E_POINTER, Text);
  const BSTR caption = label_.caption.get();  // borrowed: the label keeps it
  *Text = SysAllocStringLen(BstrChars(caption), SysStringLen(caption));
  return *Text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT LinkControl::SetText(win32::UniqueBstr& held, BSTR text, DISPID dispatchId) {
  if (BstrEquals(held.get(), text)) return S_OK;  // no change: a listener that writes back what it was told ends here
  // A null BSTR is the empty string; it is stored as an empty one.
  RETURN_IF_FAILED(AssignBstr(held, text));
  PropertyChanged(dispatchId);
  return S_OK;
}

IFACEMETHODIMP LinkControl::put_Text(BSTR New_Text) { return SetText(label_.caption, New_Text, kDispIdText); }

IFACEMETHODIMP LinkControl::get_Link(BSTR* Link) {
  RETURN_HR_IF_NULL(E_POINTER, Link);
  *Link = SysAllocStringLen(BstrChars(link_.get()), SysStringLen(link_.get()));
  return *Link != nullptr ? S_OK : E_OUTOFMEMORY;
}

IFACEMETHODIMP LinkControl::put_Link(BSTR New_Link) { return SetText(link_, New_Link, kDispIdLink); }

IFACEMETHODIMP LinkControl::get_Font(IFontDisp** Font) {
  RETURN_HR_IF_NULL(E_POINTER, Font);
  *Font = nullptr;
  // The label's own font object, not a copy: changing it changes the label.
  return label_.font.CopyTo(Font);
}

IFACEMETHODIMP LinkControl::putref_Font(IFontDisp* New_Font) {
  RETURN_HR_IF_NULL(CTL_E_INVALIDPROPERTYVALUE, New_Font);
  ComPtr<IFont> font;
  RETURN_HR_IF(CTL_E_INVALIDPROPERTYVALUE, FAILED(New_Font->QueryInterface(IID_PPV_ARGS(&font))));
  if (win32::SameObject(font.Get(), label_.font.Get())) {
    // The label's own font object: no change. Another object is one, even
    // if it draws alike, as the getter hands out the object itself.
    return S_OK;
  }
  RETURN_IF_FAILED(SetLabelFont(std::move(font)));
  PropertyChanged(kDispIdFont);
  return S_OK;
}

IFACEMETHODIMP LinkControl::get_BackColor(OLE_COLOR* BackColor) { return GetColor(label_.backColor, BackColor); }

IFACEMETHODIMP LinkControl::put_BackColor(OLE_COLOR New_BackColor) {
  return SetColor(label_.backColor, New_BackColor, kDispIdBackColor);
}

void LinkControl::PropertyChanged(DISPID id) {
  const auto keepAlive = KeepAlive();  // the view sink and every listener are the host's
  dirty_ = true;
  Refresh();
  propertyNotifyPoint_.NotifyChanged(id);
}

void LinkControl::Refresh() noexcept {
  if (window_) {
    // A failed invalidation only delays the redraw to the next paint.
    InvalidateRect(window_.get(), nullptr, FALSE);
  }
  tooltip_.Update(link_.get());
  if (viewSink_ != nullptr && (viewSinkAspects_ & DVASPECT_CONTENT) != 0) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT LinkControl::SetLabelFont(ComPtr<IFont> font) {
  const HRESULT hr = fontWatch_.Watch(font.Get(), this);
  if (FAILED(hr)) {
    // Keep following the old font, which the label still shows.
    fontWatch_.Watch(label_.font.Get(), this);
    return hr;
  }
  label_.font = std::move(font);
  return S_OK;
}

void LinkControl::OnFontChanged() {
  const auto keepAlive = KeepAlive();  // the view sink is the host's
  Refresh();
}

// IConnectionPointContainer

IFACEMETHODIMP LinkControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  IConnectionPoint* const all[] = {&propertyNotifyPoint_, &eventPoint_};
  return CreateConnectionPointEnumerator(Identity(), all, ARRAYSIZE(all), points);
}

IFACEMETHODIMP LinkControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  RETURN_HR_IF_NULL(E_POINTER, point);
  *point = nullptr;
  for (ConnectionPoint* candidate : {&propertyNotifyPoint_, &eventPoint_}) {
    if (riid == candidate->SinkInterface()) {
      *point = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

// IProvideClassInfo2

IFACEMETHODIMP LinkControl::GetClassInfo(ITypeInfo** classInfo) {
  RETURN_HR_IF_NULL(E_POINTER, classInfo);
  *classInfo = nullptr;
  return typeLibrary_->GetTypeInfoOfGuid(CLSID_tessarelcontrol, classInfo);
}

IFACEMETHODIMP LinkControl::GetGUID(DWORD kind, GUID* guid) {
  RETURN_HR_IF_NULL(E_POINTER, guid);
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DIID___tessarelcontrol;
  return S_OK;
}

}  // namespace tessarel
