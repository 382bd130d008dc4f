#include "about/hosted_control.h"

#include <new>

#include "about/property_bag.h"

namespace zenthra::about {

using Microsoft::WRL::ComPtr;

HRESULT HostedControl::Create(HWND parent, const StoredLinkLabel& stored, const TwipsRect& place, UINT dpi,
                              const AmbientProperties& ambient, std::unique_ptr<HostedControl>& control) {
  control.reset();
  std::unique_ptr<HostedControl> hosted(new (std::nothrow) HostedControl());
  if (!hosted) return E_OUTOFMEMORY;

  const TwipsRect twips{place.left, place.top, HimetricToTwips(stored.extentX), HimetricToTwips(stored.extentY)};
  RECT position = ToPixels(twips, dpi);

  // Under registration-free activation this is an alias of the class id;
  // it is only ever handed on to CoCreateInstance.
  CLSID classId{};
  if (const HRESULT hr = CLSIDFromProgID(kLinkLabelProgId, &classId); FAILED(hr)) return hr;
  if (const HRESULT hr = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&hosted->object_));
      FAILED(hr)) {
    return hr;
  }
  if (const HRESULT hr = CreateControlSite(parent, position, ambient, hosted->site_); FAILED(hr)) return hr;

  // The control asks for its site before it is restored.
  if (const HRESULT hr = hosted->object_->SetClientSite(hosted->site_.Get()); FAILED(hr)) return hr;

  ComPtr<IPersistPropertyBag> persist;
  if (const HRESULT hr = hosted->object_.As(&persist); FAILED(hr)) return hr;
  ComPtr<IPropertyBag> bag;
  if (const HRESULT hr = CreateStoredPropertyBag(stored, bag); FAILED(hr)) return hr;
  if (const HRESULT hr = persist->Load(bag.Get(), nullptr); FAILED(hr)) return hr;

  SIZEL extent{stored.extentX, stored.extentY};
  if (const HRESULT hr = hosted->object_->SetExtent(DVASPECT_CONTENT, &extent); FAILED(hr)) return hr;
  if (const HRESULT hr = hosted->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, hosted->site_.Get(), 0, parent,
                                                 &position);
      FAILED(hr)) {
    return hr;
  }
  control = std::move(hosted);
  return S_OK;
}

HostedControl::~HostedControl() { Close(); }

HWND HostedControl::window() const {
  ComPtr<IOleInPlaceObject> inPlace;
  if (!object_ || FAILED(object_.As(&inPlace))) return nullptr;
  HWND window = nullptr;
  if (FAILED(inPlace->GetWindow(&window))) return nullptr;
  return window;
}

// Failures here change nothing for the caller: the control goes either way.
void HostedControl::Close() {
  if (!object_) return;
  ComPtr<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(object_.As(&inPlace))) inPlace->InPlaceDeactivate();
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  object_.Reset();
  site_.Reset();
}

}  // namespace zenthra::about
