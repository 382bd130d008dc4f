#include "about/hosted_control.h"

#include <olectl.h>

#include <new>

#include "about/property_bag.h"
#include "win32/result.h"
#include "win32/units.h"
#include "win32/unique_handle.h"

namespace zenthra::about {

using Microsoft::WRL::ComPtr;

namespace {

// A font object maps its size in points to pixels by this ratio; by default
// it is the system DPI of the moment the object was made.
HRESULT SetFontDpi(const win32::UniqueVariant& value, UINT dpi) {
  RETURN_HR_IF(E_NOINTERFACE, (value->vt != VT_DISPATCH && value->vt != VT_UNKNOWN) || !value->punkVal);
  ComPtr<IFont> font;
  RETURN_IF_FAILED(value->punkVal->QueryInterface(IID_PPV_ARGS(&font)));
  return font->SetRatio(static_cast<LONG>(dpi), win32::kHimetricPerInch);
}

// The font a running control draws with, asked for through its IDispatch.
HRESULT ScaleFont(IOleObject& object, UINT dpi) {
  ComPtr<IDispatch> dispatch;
  RETURN_IF_FAILED(object.QueryInterface(IID_PPV_ARGS(&dispatch)));
  DISPPARAMS none{};
  win32::UniqueVariant value;
  RETURN_IF_FAILED(dispatch->Invoke(DISPID_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                    value.get(), nullptr, nullptr));
  return SetFontDpi(value, dpi);
}

// The font of the stored entries, before the control is restored from them:
// the bag hands out this very object, which the control keeps and draws
// with. Cheaper than ScaleFont on a new control, whose first IDispatch call
// makes oleaut32 load the standard OLE type library.
HRESULT ScaleStoredFont(IPropertyBag& bag, UINT dpi) {
  win32::UniqueVariant value;
  RETURN_IF_FAILED(bag.Read(L"font", value.get(), nullptr));
  return SetFontDpi(value, dpi);
}

}  // namespace

HRESULT GetLinkLabelFactory(ComPtr<IClassFactory>& factory) {
  factory.Reset();
  // Under registration-free activation the ProgID is an alias of the class
  // id; it is only ever handed on to CoGetClassObject.
  CLSID classId{};
  RETURN_IF_FAILED(CLSIDFromProgID(kLinkLabelProgId, &classId));
  return CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
}

HRESULT HostedControl::Create(IClassFactory& factory, HWND parent, const StoredLinkLabel& stored,
                              const TwipsRect& place, UINT dpi, const AmbientProperties& ambient,
                              std::unique_ptr<HostedControl>& control) {
  control.reset();
  std::unique_ptr<HostedControl> hosted(new (std::nothrow) HostedControl());
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, hosted);

  hosted->twips_ = {place.left, place.top, win32::HimetricToTwips(stored.extentX),
                    win32::HimetricToTwips(stored.extentY)};
  RECT position = shell::ToPixels(hosted->twips_, dpi);
  RETURN_IF_FAILED(factory.CreateInstance(nullptr, IID_PPV_ARGS(&hosted->object_)));
  RETURN_IF_FAILED(CreateControlSite(parent, position, ambient, hosted->site_));

  // The control asks for its site before it is restored.
  RETURN_IF_FAILED(hosted->object_->SetClientSite(hosted->site_.Get()));
  ComPtr<IPersistPropertyBag> persist;
  RETURN_IF_FAILED(hosted->object_.As(&persist));
  ComPtr<IPropertyBag> bag;
  RETURN_IF_FAILED(CreateStoredPropertyBag(stored, bag));
  // A font that cannot be scaled still draws at the system DPI, which is
  // the dialog's own when it is created: no reason to give up the control.
  LOG_IF_FAILED(ScaleStoredFont(*bag.Get(), dpi));
  RETURN_IF_FAILED(persist->Load(bag.Get(), nullptr));

  SIZEL extent{stored.extentX, stored.extentY};
  RETURN_IF_FAILED(hosted->object_->SetExtent(DVASPECT_CONTENT, &extent));
  RETURN_IF_FAILED(
      hosted->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, hosted->site_.Get(), 0, parent, &position));
  // A control may succeed without activating ("cannot do that now"); one
  // without its window would leave a hole where the plain label belongs.
  RETURN_HR_IF_NULL(E_FAIL, hosted->Window());
  control = std::move(hosted);
  return S_OK;
}

HostedControl::~HostedControl() { Close(); }

HWND HostedControl::Window() const {
  ComPtr<IOleInPlaceObject> inPlace;
  if (!object_ || FAILED(object_.As(&inPlace))) return nullptr;
  HWND window = nullptr;
  if (FAILED(inPlace->GetWindow(&window))) return nullptr;
  return window;
}

bool HostedControl::TranslateAccelerator(MSG& message) const {
  ComPtr<IOleInPlaceActiveObject> active;
  return object_ && SUCCEEDED(object_.As(&active)) && active->TranslateAccelerator(&message) == S_OK;
}

HRESULT HostedControl::SetDpi(UINT dpi) {
  ComPtr<IOleInPlaceObject> inPlace;
  RETURN_IF_FAILED(object_.As(&inPlace));
  RETURN_IF_FAILED(ScaleFont(*object_.Get(), dpi));
  // The site learns the new place first, then the control moves there,
  // which also redraws it, now with the rescaled font.
  const RECT position = shell::ToPixels(twips_, dpi);
  ComPtr<IOleInPlaceSite> site;
  RETURN_IF_FAILED(site_.As(&site));
  RETURN_IF_FAILED(site->OnPosRectChange(&position));
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
