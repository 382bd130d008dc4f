// tessarelcontrol on screen: drawing for the host (IViewObject2) and in
// its own window, and what the user does with the label: click, focus,
// context menu, accessibility tools.
#include "link_control.h"

#include "link_accessible.h"
#include "link_menu.h"
#include "link_opener.h"
#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

// IViewObject, IViewObject2

IFACEMETHODIMP LinkControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc, LPCRECTL bounds, LPCRECTL,
                                 BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  RETURN_HR_IF(DV_E_DVASPECT, aspect != DVASPECT_CONTENT);
  RETURN_HR_IF(E_INVALIDARG, drawDc == nullptr || bounds == nullptr);
  const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
  return PaintControl(label_, drawDc, area, ControlTwips(), /*showFocus=*/false);
}

IFACEMETHODIMP LinkControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colorSet) {
  if (colorSet != nullptr) *colorSet = nullptr;
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze != nullptr) *freeze = 0;
  return E_NOTIMPL;
}

IFACEMETHODIMP LinkControl::Unfreeze(DWORD) { return E_NOTIMPL; }

IFACEMETHODIMP LinkControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  const auto keepAlive = KeepAlive();  // letting go of the old sink may release the control
  viewSink_ = sink;
  viewSinkAspects_ = aspects;
  viewSinkFlags_ = flags;
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = viewSinkAspects_;
  if (flags != nullptr) *flags = viewSinkFlags_;
  if (sink != nullptr) {
    *sink = nullptr;
    return viewSink_.CopyTo(sink);
  }
  return S_OK;
}

IFACEMETHODIMP LinkControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// The window's events

void LinkControl::OnPaintLabel(HDC dc, const RECT& client, bool showFocus) {
  // A failure here has no caller to go to; the next paint tries again.
  PaintControl(label_, dc, client, ControlTwips(), showFocus);
}

// lbl_hylinx_Click
void LinkControl::OnLabelClick() {
  const auto keepAlive = KeepAlive();  // the shell may pump messages, and the host let go meanwhile
  // A link that cannot be opened shows nothing; the failure report tells why.
  LOG_IF_FAILED(OpenLink(window_.get(), link_.get()));
}

void LinkControl::OnLabelFocus(bool gained, bool byMouse) {
  // The mouse brings the hover tip by itself; the keyboard needs one too.
  if (gained && !byMouse)
    tooltip_.ShowForFocus(link_.get());
  else if (!gained)
    tooltip_.HideForFocus();
  // A container that tracks its controls' focus learns of it; what it
  // answers changes nothing here.
  const auto keepAlive = KeepAlive();  // the site is the host's
  ComPtr<IOleControlSite> controlSite;
  if (clientSite_ != nullptr && SUCCEEDED(clientSite_.As(&controlSite)))
    LOG_IF_FAILED(controlSite->OnFocus(gained ? TRUE : FALSE));
}

void LinkControl::OnLabelMouseMove(const MSG& move) { tooltip_.MouseMoved(move, link_.get()); }

void LinkControl::OnLabelContextMenu(POINT point) {
  const auto keepAlive = KeepAlive();  // the menu runs a message loop
  switch (ShowLinkMenu(window_.get(), point)) {
    case LinkMenuChoice::kOpenLink:
      OnLabelClick();
      break;
    case LinkMenuChoice::kCopyLinkAddress:
      // As with the shell, a failure shows nothing: the clipboard then
      // keeps what it held.
      LOG_IF_FAILED(CopyTextToClipboard(window_.get(), link_.get()));
      break;
    case LinkMenuChoice::kNone:
      break;
  }
}

LRESULT LinkControl::OnLabelGetObject(WPARAM flags) {
  ComPtr<IAccessible> accessible;
  if (FAILED(LinkAccessible::Create(window_.get(), this, accessible)))
    return 0;  // the system's standard object answers instead
  return LresultFromObject(__uuidof(IAccessible), flags, accessible.Get());
}

HFONT LinkControl::OnLabelGetFont() {
  HFONT font = nullptr;
  LOG_IF_FAILED(LabelDrawnFont(label_, font));
  return font;
}

}  // namespace tessarel
