#include "about/hosted_control.h"

#include <olectl.h>

#include <new>

#include "about/property_bag.h"

namespace zenthra::about {

using Microsoft::WRL::ComPtr;

namespace {

// A font object maps its size in points to pixels by this ratio; by default
// it is the system DPI of the moment the object was made.
HRESULT ScaleFont(IOleObject& object, UINT dpi) {
  ComPtr<IDispatch> dispatch;
  if (const HRESULT hr = object.QueryInterface(IID_PPV_ARGS(&dispatch)); FAILED(hr)) return hr;
  DISPPARAMS none{};
  VARIANT value;
  VariantInit(&value);
  if (const HRESULT hr = dispatch->Invoke(DISPID_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                          &value, nullptr, nullptr);
      FAILED(hr)) {
    return hr;
  }
  ComPtr<IFont> font;
  HRESULT hr = E_NOINTERFACE;
  if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal) {
    hr = value.punkVal->QueryInterface(IID_PPV_ARGS(&font));
  }
  VariantClear(&value);
  if (FAILED(hr)) return hr;
  constexpr LONG kHimetricPerInch = 2540;
  return font->SetRatio(static_cast<LONG>(dpi), kHimetricPerInch);
}

}  // namespace

HRESULT GetLinkLabelFactory(ComPtr<IClassFactory>& factory) {
  factory.Reset();
  // Under registration-free activation the ProgID is an alias of the class
  // id; it is only ever handed on to CoGetClassObject.
  CLSID classId{};
  if (const HRESULT hr = CLSIDFromProgID(kLinkLabelProgId, &classId); FAILED(hr)) return hr;
  return CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
}

HRESULT HostedControl::Create(IClassFactory& factory, HWND parent, const StoredLinkLabel& stored,
                              const TwipsRect& place, UINT dpi, const AmbientProperties& ambient,
                              std::unique_ptr<HostedControl>& control) {
  control.reset();
  std::unique_ptr<HostedControl> hosted(new (std::nothrow) HostedControl());
  if (!hosted) return E_OUTOFMEMORY;

  hosted->twips_ = {place.left, place.top, HimetricToTwips(stored.extentX), HimetricToTwips(stored.extentY)};
  RECT position = ToPixels(hosted->twips_, dpi);

  if (const HRESULT hr = factory.CreateInstance(nullptr, IID_PPV_ARGS(&hosted->object_)); FAILED(hr)) return hr;
  if (const HRESULT hr = CreateControlSite(parent, position, ambient, hosted->site_); FAILED(hr)) return hr;

  // The control asks for its site before it is restored.
  if (const HRESULT hr = hosted->object_->SetClientSite(hosted->site_.Get()); FAILED(hr)) return hr;

  ComPtr<IPersistPropertyBag> persist;
  if (const HRESULT hr = hosted->object_.As(&persist); FAILED(hr)) return hr;
  ComPtr<IPropertyBag> bag;
  if (const HRESULT hr = CreateStoredPropertyBag(stored, bag); FAILED(hr)) return hr;
  if (const HRESULT hr = persist->Load(bag.Get(), nullptr); FAILED(hr)) return hr;

  // A font that cannot be scaled still draws at the system DPI, which is
  // the dialog's own when it is created: no reason to give up the control.
  ScaleFont(*hosted->object_.Get(), dpi);

  SIZEL extent{stored.extentX, stored.extentY};
  if (const HRESULT hr = hosted->object_->SetExtent(DVASPECT_CONTENT, &extent); FAILED(hr)) return hr;
  if (const HRESULT hr =
          hosted->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, hosted->site_.Get(), 0, parent, &position);
      FAILED(hr)) {
    return hr;
  }
  // A control may succeed without activating ("cannot do that now"); one
  // without its window would leave a hole where the plain label belongs.
  if (!hosted->window()) return E_FAIL;
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

HRESULT HostedControl::SetDpi(UINT dpi) {
  ComPtr<IOleInPlaceObject> inPlace;
  if (const HRESULT hr = object_.As(&inPlace); FAILED(hr)) return hr;
  if (const HRESULT hr = ScaleFont(*object_.Get(), dpi); FAILED(hr)) return hr;
  // The site learns the new place first, then the control moves there,
  // which also redraws it, now with the rescaled font.
  const RECT position = ToPixels(twips_, dpi);
  ComPtr<IOleInPlaceSite> site;
  if (const HRESULT hr = site_.As(&site); FAILED(hr)) return hr;
  if (const HRESULT hr = site->OnPosRectChange(&position); FAILED(hr)) return hr;
  return inPlace->SetObjectRects(&position, &position);
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
