// tessarelcontrol inside a host: siting, sizing, in-place activation in a
// child window of the site, and closing.
#include "link_control.h"

#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

// Creates the label's window as a child of the site's window, at position
// or, when that is null, where the site says.
HRESULT CreateWindowInSite(IOleInPlaceSite* site, LPCRECT position, LabelWindowEvents* events,
                           win32::UniqueHwnd& window) {
  HWND siteWindow = nullptr;  // borrowed: the host's window
  RETURN_IF_FAILED(site->GetWindow(&siteWindow));
  ComPtr<IOleInPlaceFrame> frame;
  ComPtr<IOleInPlaceUIWindow> documentWindow;
  RECT sitePosition{}, siteClip{};
  OLEINPLACEFRAMEINFO frameInfo{};
  frameInfo.cb = sizeof(frameInfo);
  RETURN_IF_FAILED(site->GetWindowContext(&frame, &documentWindow, &sitePosition, &siteClip, &frameInfo));
  return CreateLabelWindow(siteWindow, position != nullptr ? *position : sitePosition, events, window);
}

}  // namespace

SIZE LinkControl::ControlTwips() const noexcept {
  return SIZE{HimetricToTwips(extent_.cx), HimetricToTwips(extent_.cy)};
}

HRESULT LinkControl::ValidateExtent(const SIZEL& extent) {
  RETURN_HR_IF(E_INVALIDARG, extent.cx < 0 || extent.cy < 0);
  return S_OK;
}

void LinkControl::ApplyExtent(const SIZEL& extent) noexcept {
  // Every sizing by the host is a resize, the first one too even when it
  // gives the design size: only then does the label cover the control.
  extent_ = extent;
  UserControl_Resize();
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

// While active in place the control stays with its site: its window is a
// child of that site's window, and only that site has been told of the
// activation. Moving would have to leave one site and enter the other,
// and an entry that fails would leave the control in neither; so a host
// deactivates it first (InPlaceDeactivate, Close, or SetClientSite(null)),
// and another site until then is refused with nothing changed.
IFACEMETHODIMP LinkControl::SetClientSite(IOleClientSite* site) {
  const auto keepAlive = KeepAlive();  // the sites are the host's; letting go of one may release the control
  if (site == nullptr)
    RETURN_IF_FAILED(InPlaceDeactivate());
  else if (inPlaceSite_ != nullptr && !win32::SameObject(site, inPlaceSite_.Get()))
    return E_UNEXPECTED;
  clientSite_ = site;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetClientSite(IOleClientSite** site) {
  RETURN_HR_IF_NULL(E_POINTER, site);
  *site = nullptr;
  return clientSite_.CopyTo(site);
}

// The control shows no caption of its own, so the names are not kept.
IFACEMETHODIMP LinkControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

// The host saves its layout itself (through IPersistPropertyBag), so
// closing asks it for nothing whatever saveOption says.
IFACEMETHODIMP LinkControl::Close(DWORD) {
  const auto keepAlive = KeepAlive();  // the site and the sinks are the host's
  RETURN_IF_FAILED(InPlaceDeactivate());
  if (adviseHolder_ != nullptr) RETURN_IF_FAILED(adviseHolder_->SendOnClose());
  viewSink_.Reset();
  return S_OK;
}

IFACEMETHODIMP LinkControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT position) {
  const auto keepAlive = KeepAlive();  // the site is called, and told of the focus
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(site != nullptr ? site : clientSite_.Get(), position);
    case OLEIVERB_UIACTIVATE: {
      // The control has no menus or tools to merge: UI activation is
      // in-place activation with the keyboard focus.
      const HRESULT hr = ActivateInPlace(site != nullptr ? site : clientSite_.Get(), position);
      if (hr == S_OK) {
        SetFocus(window_.get());  // it returns the window that had the focus, if any
        RETURN_HR_IF(E_FAIL, GetFocus() != window_.get());
      }
      return hr;
    }
    case OLEIVERB_HIDE:
      if (window_) ShowWindow(window_.get(), SW_HIDE);
      return S_OK;
    default:
      return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
  }
}

HRESULT LinkControl::ActivateInPlace(IOleClientSite* site, LPCRECT position) {
  if (window_) {
    if (position != nullptr) RETURN_IF_FAILED(SetObjectRects(position, position));
    ShowWindow(window_.get(), SW_SHOWNA);
    return S_OK;
  }
  RETURN_HR_IF_NULL(E_UNEXPECTED, site);
  ComPtr<IOleInPlaceSite> inPlaceSite;
  RETURN_IF_FAILED(site->QueryInterface(IID_PPV_ARGS(&inPlaceSite)));
  const HRESULT canActivate = inPlaceSite->CanInPlaceActivate();
  RETURN_IF_FAILED(canActivate);
  RETURN_HR_IF(OLEOBJ_S_CANNOT_DOVERB_NOW, canActivate != S_OK);
  RETURN_IF_FAILED(inPlaceSite->OnInPlaceActivate());
  const HRESULT hr = CreateWindowInSite(inPlaceSite.Get(), position, this, window_);
  if (FAILED(hr)) {
    inPlaceSite->OnInPlaceDeactivate();  // the activation error is the one to report
    return hr;
  }
  tooltip_.Attach(window_.get());
  inPlaceSite_ = std::move(inPlaceSite);
  return S_OK;
}

IFACEMETHODIMP LinkControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (verbs != nullptr) *verbs = nullptr;
  return E_NOTIMPL;
}

// The control keeps no cached presentation: it is always up to date.
IFACEMETHODIMP LinkControl::Update() { return S_OK; }
IFACEMETHODIMP LinkControl::IsUpToDate() { return S_OK; }

IFACEMETHODIMP LinkControl::GetUserClassID(CLSID* classId) { return GetClassID(classId); }

IFACEMETHODIMP LinkControl::GetUserType(DWORD, LPOLESTR* userType) {
  RETURN_HR_IF_NULL(E_POINTER, userType);
  *userType = nullptr;
  return OLE_S_USEREG;
}

IFACEMETHODIMP LinkControl::SetExtent(DWORD aspect, SIZEL* size) {
  RETURN_HR_IF_NULL(E_POINTER, size);
  RETURN_HR_IF(DV_E_DVASPECT, aspect != DVASPECT_CONTENT);
  RETURN_IF_FAILED(ValidateExtent(*size));
  const auto keepAlive = KeepAlive();  // the view sink is the host's
  ApplyExtent(*size);
  dirty_ = true;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetExtent(DWORD aspect, SIZEL* size) {
  RETURN_HR_IF_NULL(E_POINTER, size);
  RETURN_HR_IF(DV_E_DVASPECT, aspect != DVASPECT_CONTENT);
  *size = extent_;
  return S_OK;
}

IFACEMETHODIMP LinkControl::Advise(IAdviseSink* sink, DWORD* connection) {
  RETURN_HR_IF_NULL(E_POINTER, connection);
  *connection = 0;
  RETURN_HR_IF_NULL(E_POINTER, sink);
  if (adviseHolder_ == nullptr) RETURN_IF_FAILED(CreateOleAdviseHolder(&adviseHolder_));
  return adviseHolder_->Advise(sink, connection);
}

IFACEMETHODIMP LinkControl::Unadvise(DWORD connection) {
  RETURN_HR_IF_NULL(OLE_E_NOCONNECTION, adviseHolder_);
  const auto keepAlive = KeepAlive();  // the sink let go of is the host's
  return adviseHolder_->Unadvise(connection);
}

IFACEMETHODIMP LinkControl::EnumAdvise(IEnumSTATDATA** advises) {
  RETURN_HR_IF_NULL(E_POINTER, advises);
  *advises = nullptr;
  if (adviseHolder_ == nullptr) return S_OK;  // no advise connection yet: an empty answer
  return adviseHolder_->EnumAdvise(advises);
}

IFACEMETHODIMP LinkControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  RETURN_HR_IF_NULL(E_POINTER, status);
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

IFACEMETHODIMP LinkControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

IFACEMETHODIMP LinkControl::GetWindow(HWND* window) {
  RETURN_HR_IF_NULL(E_POINTER, window);
  *window = window_.get();
  return window_ ? S_OK : E_FAIL;
}

IFACEMETHODIMP LinkControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::InPlaceDeactivate() {
  if (inPlaceSite_ == nullptr) return S_OK;
  const auto keepAlive = KeepAlive();  // the site hears of the focus going, then of the deactivation
  DestroyWindows();
  ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  return site->OnInPlaceDeactivate();
}

// Never UI active (see DoVerb), so there is nothing to undo.
IFACEMETHODIMP LinkControl::UIDeactivate() { return S_OK; }

// The window follows the host's position; parts outside clip are clipped
// by the host's own window, so clip needs no handling here.
IFACEMETHODIMP LinkControl::SetObjectRects(LPCRECT position, LPCRECT) {
  RETURN_HR_IF_NULL(E_POINTER, position);
  if (!window_) return S_OK;  // not active: the position applies at activation
  RETURN_LAST_ERROR_IF(!SetWindowPos(window_.get(), nullptr, position->left, position->top,
                                     position->right - position->left, position->bottom - position->top,
                                     SWP_NOZORDER | SWP_NOACTIVATE));
  InvalidateRect(window_.get(), nullptr, FALSE);
  tooltip_.Update(link_.get());  // the hover area follows the new size
  return S_OK;
}

IFACEMETHODIMP LinkControl::ReactivateAndUndo() { return E_NOTIMPL; }

// For hosts that hand the keys of the focused control to it before their
// own keyboard handling: Enter and Space open the link, on the same path
// as when they reach the window; any other key goes on to the host. A key
// consumed here is not dispatched, so it never opens the link twice.
IFACEMETHODIMP LinkControl::TranslateAccelerator(LPMSG message) {
  RETURN_HR_IF_NULL(E_INVALIDARG, message);
  if (!window_ || message->hwnd != window_.get() || !IsOpeningKey(*message)) return S_FALSE;
  OnLabelClick();
  return S_OK;
}
// Nothing in the control depends on the activation of the host's windows
// or takes border space.
IFACEMETHODIMP LinkControl::OnFrameWindowActivate(BOOL) { return S_OK; }
IFACEMETHODIMP LinkControl::OnDocWindowActivate(BOOL) { return S_OK; }
IFACEMETHODIMP LinkControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
// The control opens no dialog of its own.
IFACEMETHODIMP LinkControl::EnableModeless(BOOL) { return S_OK; }

// IOleControl

IFACEMETHODIMP LinkControl::GetControlInfo(CONTROLINFO* info) {
  RETURN_HR_IF_NULL(E_POINTER, info);
  RETURN_HR_IF(E_INVALIDARG, info->cb < sizeof(CONTROLINFO));
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = CTRLINFO_EATS_RETURN;  // Enter opens the link while it has the focus
  return S_OK;
}

IFACEMETHODIMP LinkControl::OnMnemonic(MSG*) { return E_NOTIMPL; }

// The ambient font is only the default of a restored instance's font; a
// change of it later leaves the label's own font as it is.
IFACEMETHODIMP LinkControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

// The control raises no events, so there is nothing to hold back.
IFACEMETHODIMP LinkControl::FreezeEvents(BOOL) { return S_OK; }

}  // namespace tessarel
