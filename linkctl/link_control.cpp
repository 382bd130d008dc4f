// tessarelcontrol: creation, IUnknown, IDispatch, the five properties,
// the connection points and the class information.
#include "link_control.h"

#include "bstr_text.h"
#include "connection_point_enumerator.h"
#include "module.h"
#include "win32/com_object.h"

#include <shlwapi.h>

#include <new>

using Microsoft::WRL::ComPtr;

namespace tessarel {

LinkControl::LinkControl()
    : propertyNotifyPoint_(Identity(), this, IID_IPropertyNotifySink),
      eventPoint_(Identity(), this, DIID___tessarelcontrol) {
  AddObjectRef();
}

LinkControl::~LinkControl() {
  window_.reset();
  fontWatch_.Stop();
  ReleaseObjectRef();
}

HRESULT LinkControl::Create(REFIID riid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  ComPtr<LinkControl> control = win32::Adopt(new (std::nothrow) LinkControl());
  if (control == nullptr) {
    return E_OUTOFMEMORY;
  }
  HRESULT hr = control->Initialize();
  if (FAILED(hr)) {
    return hr;
  }
  return control->QueryInterface(riid, object);
}

HRESULT LinkControl::Initialize() {
  win32::UniqueBstr path;
  HRESULT hr = ModulePath(path);
  if (FAILED(hr) || FAILED(hr = LoadTypeLibEx(path.get(), REGKIND_NONE, &typeLibrary_))) {
    return hr;
  }
  if (FAILED(hr = typeLibrary_->GetTypeInfoOfGuid(IID__tessarelcontrol, &typeInfo_))) {
    return hr;
  }
  if (FAILED(hr = CreateDesignedLabel(label_))) {
    return hr;
  }
  if (FAILED(hr = fontWatch_.Watch(label_.font.Get(), this))) {
    return hr;
  }
  extent_ = SIZEL{TwipsToHimetric(kDesignWidthTwips), TwipsToHimetric(kDesignHeightTwips)};
  return S_OK;
}

// IUnknown

IFACEMETHODIMP LinkControl::QueryInterface(REFIID riid, void** object) {
  static const QITAB interfaces[] = {
      {&IID_IUnknown, OFFSETOFCLASS(_tessarelcontrol, LinkControl)},
      {&IID_IDispatch, OFFSETOFCLASS(_tessarelcontrol, LinkControl)},
      QITABENT(LinkControl, _tessarelcontrol),
      QITABENT(LinkControl, IConnectionPointContainer),
      {&IID_IPersist, OFFSETOFCLASS(IPersistStreamInit, LinkControl)},
      QITABENT(LinkControl, IPersistPropertyBag),
      QITABENT(LinkControl, IPersistStreamInit),
      QITABENT(LinkControl, IOleObject),
      {&IID_IOleWindow, OFFSETOFCLASS(IOleInPlaceObject, LinkControl)},
      QITABENT(LinkControl, IOleInPlaceObject),
      QITABENT(LinkControl, IOleInPlaceActiveObject),
      QITABENT(LinkControl, IOleControl),
      {&IID_IViewObject, OFFSETOFCLASS(IViewObject2, LinkControl)},
      QITABENT(LinkControl, IViewObject2),
      {&IID_IProvideClassInfo, OFFSETOFCLASS(IProvideClassInfo2, LinkControl)},
      QITABENT(LinkControl, IProvideClassInfo2),
      {nullptr, 0},
  };
  return QISearch(this, interfaces, riid, object);
}

IFACEMETHODIMP_(ULONG) LinkControl::AddRef() { return ++references_; }

IFACEMETHODIMP_(ULONG) LinkControl::Release() {
  const ULONG remaining = --references_;
  if (remaining == 0) {
    delete this;
  }
  return remaining;
}

// IDispatch

IFACEMETHODIMP LinkControl::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) {
    return E_POINTER;
  }
  *count = 1;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
  if (typeInfo == nullptr) {
    return E_POINTER;
  }
  *typeInfo = nullptr;
  if (index != 0) {
    return DISP_E_BADINDEX;
  }
  return typeInfo_.CopyTo(typeInfo);
}

IFACEMETHODIMP LinkControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (riid != IID_NULL) {
    return DISP_E_UNKNOWNINTERFACE;
  }
  if (names == nullptr || ids == nullptr) {
    return E_POINTER;
  }
  return typeInfo_->GetIDsOfNames(names, count, ids);
}

IFACEMETHODIMP LinkControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) {
  if (riid != IID_NULL) {
    return DISP_E_UNKNOWNINTERFACE;
  }
  if (params == nullptr) {
    return E_POINTER;
  }
  return typeInfo_->Invoke(static_cast<_tessarelcontrol*>(this), id, flags, params, result, exception, argumentError);
}

// _tessarelcontrol

namespace {

// Both colours of the label are read alike.
HRESULT GetColor(OLE_COLOR held, OLE_COLOR* color) {
  if (color == nullptr) {
    return E_POINTER;
  }
  *color = held;
  return S_OK;
}

}  // namespace

HRESULT LinkControl::SetColor(OLE_COLOR& held, OLE_COLOR color, DISPID dispatchId) {
  HRESULT hr = ValidateColor(color);
  if (FAILED(hr)) {
    return hr;
  }
  held = color;
  return PropertyChanged(dispatchId);
}

IFACEMETHODIMP LinkControl::get_ForeColor(OLE_COLOR* ForeColor) { return GetColor(label_.foreColor, ForeColor); }

IFACEMETHODIMP LinkControl::put_ForeColor(OLE_COLOR New_ForeColor) {
  return SetColor(label_.foreColor, New_ForeColor, kDispIdForeColor);
}

IFACEMETHODIMP LinkControl::get_Text(BSTR* Text) {
  if (Text == nullptr) {
    return E_POINTER;
  }
  const BSTR caption = label_.caption.get();  // borrowed: the label keeps it
  *Text = SysAllocStringLen(BstrChars(caption), SysStringLen(caption));
  return *Text != nullptr ? S_OK : E_OUTOFMEMORY;
}

IFACEMETHODIMP LinkControl::put_Text(BSTR New_Text) {
  // A null BSTR is the empty string; it is stored as an empty one.
  HRESULT hr = AssignBstr(label_.caption, New_Text);
  if (FAILED(hr)) {
    return hr;
  }
  return PropertyChanged(kDispIdText);
}

IFACEMETHODIMP LinkControl::get_Link(BSTR* Link) {
  if (Link == nullptr) {
    return E_POINTER;
  }
  *Link = SysAllocStringLen(BstrChars(link_.get()), SysStringLen(link_.get()));
  return *Link != nullptr ? S_OK : E_OUTOFMEMORY;
}

IFACEMETHODIMP LinkControl::put_Link(BSTR New_Link) {
  HRESULT hr = AssignBstr(link_, New_Link);
  if (FAILED(hr)) {
    return hr;
  }
  return PropertyChanged(kDispIdLink);
}

IFACEMETHODIMP LinkControl::get_Font(IFontDisp** Font) {
  if (Font == nullptr) {
    return E_POINTER;
  }
  *Font = nullptr;
  // The label's own font object, not a copy: changing it changes the label.
  return label_.font.CopyTo(Font);
}

IFACEMETHODIMP LinkControl::putref_Font(IFontDisp* New_Font) {
  if (New_Font == nullptr) {
    return CTL_E_INVALIDPROPERTYVALUE;
  }
  ComPtr<IFont> font;
  HRESULT hr = New_Font->QueryInterface(IID_PPV_ARGS(&font));
  if (FAILED(hr)) {
    return CTL_E_INVALIDPROPERTYVALUE;
  }
  if (FAILED(hr = SetLabelFont(std::move(font)))) {
    return hr;
  }
  return PropertyChanged(kDispIdFont);
}

IFACEMETHODIMP LinkControl::get_BackColor(OLE_COLOR* BackColor) { return GetColor(label_.backColor, BackColor); }

IFACEMETHODIMP LinkControl::put_BackColor(OLE_COLOR New_BackColor) {
  return SetColor(label_.backColor, New_BackColor, kDispIdBackColor);
}

HRESULT LinkControl::PropertyChanged(DISPID id) {
  dirty_ = true;
  Refresh();
  return propertyNotifyPoint_.NotifyChanged(id);
}

void LinkControl::Refresh() noexcept {
  if (window_) {
    // A failed invalidation only delays the redraw to the next paint.
    InvalidateRect(window_.get(), nullptr, FALSE);
  }
  if (viewSink_ != nullptr && (viewSinkAspects_ & DVASPECT_CONTENT) != 0) {
    viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
  }
}

HRESULT LinkControl::SetLabelFont(ComPtr<IFont> font) {
  HRESULT hr = fontWatch_.Watch(font.Get(), this);
  if (FAILED(hr)) {
    // Keep following the old font, which the label still shows.
    fontWatch_.Watch(label_.font.Get(), this);
    return hr;
  }
  label_.font = std::move(font);
  return S_OK;
}

void LinkControl::OnFontChanged() { Refresh(); }

// IConnectionPointContainer

IFACEMETHODIMP LinkControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  IConnectionPoint* const all[] = {&propertyNotifyPoint_, &eventPoint_};
  return CreateConnectionPointEnumerator(all, ARRAYSIZE(all), points);
}

IFACEMETHODIMP LinkControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
  if (point == nullptr) {
    return E_POINTER;
  }
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
  if (classInfo == nullptr) {
    return E_POINTER;
  }
  *classInfo = nullptr;
  return typeLibrary_->GetTypeInfoOfGuid(CLSID_tessarelcontrol, classInfo);
}

IFACEMETHODIMP LinkControl::GetGUID(DWORD kind, GUID* guid) {
  if (guid == nullptr) {
    return E_POINTER;
  }
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DIID___tessarelcontrol;
  return S_OK;
}

}  // namespace tessarel
