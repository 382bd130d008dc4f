// tessarelcontrol inside a host: siting, sizing, in-place activation in a
// child window of the site, and closing.
#include "link_control.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

SIZE LinkControl::ControlTwips() const noexcept {
  return SIZE{HimetricToTwips(extent_.cx), HimetricToTwips(extent_.cy)};
}

HRESULT LinkControl::ApplyExtent(const SIZEL& extent) {
  if (extent.cx < 0 || extent.cy < 0) {
    return E_INVALIDARG;
  }
  // Every sizing by the host is a resize, the first one too even when it
  // gives the design size: only then does the label cover the control.
  extent_ = extent;
  UserControl_Resize();
  return S_OK;
}

// The label stays at 0, 0, so after every resize it covers the whole
// control and any click on the control is a click on the label.
void LinkControl::UserControl_Resize() noexcept {
  const SIZE size = ControlTwips();
  label_.widthTwips = size.cx;
  label_.heightTwips = size.cy;
  Refresh();
}

// IOleObject

IFACEMETHODIMP LinkControl::SetClientSite(IOleClientSite* site) {
  if (site == nullptr) {
    HRESULT hr = InPlaceDeactivate();
    if (FAILED(hr)) {
      return hr;
    }
  }
  clientSite_ = site;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) {
    return E_POINTER;
  }
  *site = nullptr;
  return clientSite_.CopyTo(site);
}

// The control shows no caption of its own, so the names are not kept.
IFACEMETHODIMP LinkControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

// The host saves its layout itself (through IPersistPropertyBag), so
// closing asks it for nothing whatever saveOption says.
IFACEMETHODIMP LinkControl::Close(DWORD) {
  HRESULT hr = InPlaceDeactivate();
  if (FAILED(hr)) {
    return hr;
  }
  if (adviseHolder_ != nullptr && FAILED(hr = adviseHolder_->SendOnClose())) {
    return hr;
  }
  viewSink_.Reset();
  return S_OK;
}

IFACEMETHODIMP LinkControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) {
    *moniker = nullptr;
  }
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data != nullptr) {
    *data = nullptr;
  }
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT position) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      // The label takes no keyboard input, so UI activation is in-place
      // activation.
      return ActivateInPlace(site != nullptr ? site : clientSite_.Get(), nullptr, position);
    case OLEIVERB_HIDE:
      if (window_) {
        ShowWindow(window_.get(), SW_HIDE);
      }
      return S_OK;
    default:
      return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
  }
}

HRESULT LinkControl::ActivateInPlace(IOleClientSite* site, HWND, LPCRECT position) {
  if (window_) {
    HRESULT hr = position != nullptr ? SetObjectRects(position, position) : S_OK;
    if (FAILED(hr)) {
      return hr;
    }
    ShowWindow(window_.get(), SW_SHOWNA);
    return S_OK;
  }
  if (site == nullptr) {
    return E_UNEXPECTED;
  }
  ComPtr<IOleInPlaceSite> inPlaceSite;
  HRESULT hr = site->QueryInterface(IID_PPV_ARGS(&inPlaceSite));
  if (FAILED(hr)) {
    return hr;
  }
  if ((hr = inPlaceSite->CanInPlaceActivate()) != S_OK) {
    return FAILED(hr) ? hr : OLEOBJ_S_CANNOT_DOVERB_NOW;
  }
  if (FAILED(hr = inPlaceSite->OnInPlaceActivate())) {
    return hr;
  }
  HWND siteWindow = nullptr;  // borrowed: the host's window
  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> documentWindow;
  RECT sitePosition{}, siteClip{};
  OLEINPLACEFRAMEINFO frameInfo{};
  frameInfo.cb = sizeof(frameInfo);
  if (SUCCEEDED(hr = inPlaceSite->GetWindow(&siteWindow))) {
    hr = inPlaceSite->GetWindowContext(&frame, &documentWindow, &sitePosition, &siteClip, &frameInfo);
  }
  if (SUCCEEDED(hr)) {
    hr = CreateLabelWindow(siteWindow, position != nullptr ? *position : sitePosition, this, window_);
  }
  if (FAILED(hr)) {
    inPlaceSite->OnInPlaceDeactivate();  // the activation error is the one to report
    return hr;
  }
  inPlaceSite_ = std::move(inPlaceSite);
  return S_OK;
}

IFACEMETHODIMP LinkControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs != nullptr) {
    *verbs = nullptr;
  }
  return E_NOTIMPL;
}

// The control keeps no cached presentation: it is always up to date.
IFACEMETHODIMP LinkControl::Update() { return S_OK; }
IFACEMETHODIMP LinkControl::IsUpToDate() { return S_OK; }

IFACEMETHODIMP LinkControl::GetUserClassID(CLSID* classId) { return GetClassID(classId); }

IFACEMETHODIMP LinkControl::GetUserType(DWORD, LPOLESTR* userType) {
  if (userType == nullptr) {
    return E_POINTER;
  }
  *userType = nullptr;
  return OLE_S_USEREG;
}

IFACEMETHODIMP LinkControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) {
    return E_POINTER;
  }
  if (aspect != DVASPECT_CONTENT) {
    return DV_E_DVASPECT;
  }
  HRESULT hr = ApplyExtent(*size);
  if (SUCCEEDED(hr)) {
    dirty_ = true;
  }
  return hr;
}

IFACEMETHODIMP LinkControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) {
    return E_POINTER;
  }
  if (aspect != DVASPECT_CONTENT) {
    return DV_E_DVASPECT;
  }
  *size = extent_;
  return S_OK;
}

IFACEMETHODIMP LinkControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (connection == nullptr) {
    return E_POINTER;
  }
  *connection = 0;
  if (adviseHolder_ == nullptr) {
    HRESULT hr = CreateOleAdviseHolder(&adviseHolder_);
    if (FAILED(hr)) {
      return hr;
    }
  }
  return adviseHolder_->Advise(sink, connection);
}

IFACEMETHODIMP LinkControl::Unadvise(DWORD connection) {
  if (adviseHolder_ == nullptr) {
    return OLE_E_NOCONNECTION;
  }
  return adviseHolder_->Unadvise(connection);
}

IFACEMETHODIMP LinkControl::EnumAdvise(IEnumSTATDATA** advises) {
  if (advises == nullptr) {
    return E_POINTER;
  }
  *advises = nullptr;
  if (adviseHolder_ == nullptr) {
    return S_OK;  // no advise connection yet: an empty answer
  }
  return adviseHolder_->EnumAdvise(advises);
}

IFACEMETHODIMP LinkControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (status == nullptr) {
    return E_POINTER;
  }
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

IFACEMETHODIMP LinkControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

IFACEMETHODIMP LinkControl::GetWindow(HWND* window) {
  if (window == nullptr) {
    return E_POINTER;
  }
  *window = window_.get();
  return window_ ? S_OK : E_FAIL;
}

IFACEMETHODIMP LinkControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::InPlaceDeactivate() {
  if (inPlaceSite_ == nullptr) {
    return S_OK;
  }
  window_.reset();
  ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  return site->OnInPlaceDeactivate();
}

// Never UI active (see DoVerb), so there is nothing to undo.
IFACEMETHODIMP LinkControl::UIDeactivate() { return S_OK; }

// The window follows the host's position; parts outside clip are clipped
// by the host's own window, so clip needs no handling here.
IFACEMETHODIMP LinkControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (position == nullptr) {
    return E_POINTER;
  }
  if (!window_) {
    return S_OK;  // not active: the position applies at activation
  }
  if (!SetWindowPos(window_.get(), nullptr, position->left, position->top, position->right - position->left,
                    position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE)) {
    return HRESULT_FROM_WIN32(GetLastError());
  }
  InvalidateRect(window_.get(), nullptr, FALSE);
  return S_OK;
}

IFACEMETHODIMP LinkControl::ReactivateAndUndo() { return E_NOTIMPL; }

// No accelerators: every key goes on to the host.
IFACEMETHODIMP LinkControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
// Nothing in the control depends on the activation of the host's windows
// or takes border space.
IFACEMETHODIMP LinkControl::OnFrameWindowActivate(BOOL) { return S_OK; }
IFACEMETHODIMP LinkControl::OnDocWindowActivate(BOOL) { return S_OK; }
IFACEMETHODIMP LinkControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
// The control opens no dialog of its own.
IFACEMETHODIMP LinkControl::EnableModeless(BOOL) { return S_OK; }

// IOleControl

IFACEMETHODIMP LinkControl::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) {
    return E_POINTER;
  }
  if (info->cb < sizeof(CONTROLINFO)) {
    return E_INVALIDARG;
  }
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

IFACEMETHODIMP LinkControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

// The ambient font is only the default of a restored instance's font; a
// change of it later leaves the label's own font as it is.
IFACEMETHODIMP LinkControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

// The control raises no events, so there is nothing to hold back.
IFACEMETHODIMP LinkControl::FreezeEvents(BOOL) { return S_OK; }

}  // namespace tessarel
