#include "about/control_site.h"
#include "about/com_adopt.h"

#include <new>

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;

class ControlSite {
 public:
  ControlSite(HWND parent, const RECT& position, const AmbientProperties& ambient)
      : parent_(parent), position_(position), ambient_(ambient) {}

  IOleClientSite* clientSite() { return &clientSite_; }

 private:
  // Each interface is a member that forwards IUnknown to the one object.
  template <typename Interface>
  struct Member : Interface {
    explicit Member(ControlSite& outer) : outer_(outer) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return outer_.QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_.Release(); }
    ControlSite& outer_;
  };

  struct ClientSite final : Member<IOleClientSite> {
    using Member::Member;
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override {
      if (moniker) *moniker = nullptr;
      return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override {
      if (container) *container = nullptr;
      return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
  };

  struct InPlaceSite final : Member<IOleInPlaceSite> {
    using Member::Member;
    STDMETHODIMP GetWindow(HWND* window) override {
      if (!window) return E_POINTER;
      *window = outer_.parent_;
      return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position, RECT* clip,
                                  OLEINPLACEFRAMEINFO* info) override {
      if (!frame || !document || !position || !clip || !info) return E_POINTER;
      *frame = &outer_.frame_;
      (*frame)->AddRef();
      *document = nullptr;  // the frame is the only window level
      *position = outer_.position_;
      *clip = outer_.position_;
      info->fMDIApp = FALSE;
      info->hwndFrame = outer_.parent_;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
      return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    // The layout fixes the control's place: a wish to move is noted only.
    // The one record of where the control sits, told by whoever moves it;
    // a control that activates again asks for it in GetWindowContext.
    STDMETHODIMP OnPosRectChange(LPCRECT position) override {
      if (!position) return E_POINTER;
      outer_.position_ = *position;
      return S_OK;
    }
  };

  // No menus, no tool space, no status bar: the dialog is a plain window.
  struct InPlaceFrame final : Member<IOleInPlaceFrame> {
    using Member::Member;
    STDMETHODIMP GetWindow(HWND* window) override {
      if (!window) return E_POINTER;
      *window = outer_.parent_;
      return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override { return widths ? INPLACE_E_NOTOOLSPACE : S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }
  };

  // Ambient properties by their standard dispatch ids; no type information.
  struct Ambient final : Member<IDispatch> {
    using Member::Member;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
      if (!count) return E_POINTER;
      *count = 0;
      return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
      if (info) *info = nullptr;
      return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
      if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
      if (!result) return E_POINTER;
      return outer_.GetAmbient(id, *result);
    }
  };

  HRESULT GetAmbient(DISPID id, VARIANT& result) {
    VariantInit(&result);
    switch (id) {
      case DISPID_AMBIENT_FONT:
        if (!ambient_.font) return DISP_E_MEMBERNOTFOUND;
        result.vt = VT_DISPATCH;
        result.pdispVal = ambient_.font.Get();
        result.pdispVal->AddRef();
        return S_OK;
      case DISPID_AMBIENT_FORECOLOR:
        result.vt = VT_UI4;
        result.ulVal = ambient_.foreColor;
        return S_OK;
      case DISPID_AMBIENT_BACKCOLOR:
        result.vt = VT_UI4;
        result.ulVal = ambient_.backColor;
        return S_OK;
      case DISPID_AMBIENT_USERMODE:
        result.vt = VT_BOOL;
        result.boolVal = VARIANT_TRUE;
        return S_OK;
      case DISPID_AMBIENT_UIDEAD:
      case DISPID_AMBIENT_SHOWGRABHANDLES:
      case DISPID_AMBIENT_SHOWHATCHING:
      case DISPID_AMBIENT_DISPLAYASDEFAULT:
      case DISPID_AMBIENT_MESSAGEREFLECT:
        result.vt = VT_BOOL;
        result.boolVal = VARIANT_FALSE;
        return S_OK;
      case DISPID_AMBIENT_LOCALEID:
        result.vt = VT_I4;
        result.lVal = static_cast<LONG>(GetUserDefaultLCID());
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

  HRESULT QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *object = static_cast<IOleClientSite*>(&clientSite_);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *object = static_cast<IOleInPlaceSite*>(&inPlaceSite_);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
      *object = static_cast<IOleInPlaceFrame*>(&frame_);
    } else if (iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(&ambientDispatch_);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  ClientSite clientSite_{*this};
  InPlaceSite inPlaceSite_{*this};
  InPlaceFrame frame_{*this};
  Ambient ambientDispatch_{*this};
  LONG references_ = 1;
  HWND parent_;  // borrowed
  RECT position_;
  AmbientProperties ambient_;
};

}  // namespace

HRESULT CreateControlSite(HWND parent, const RECT& position, const AmbientProperties& ambient,
                          ComPtr<IOleClientSite>& site) {
  site.Reset();
  auto* object = new (std::nothrow) ControlSite(parent, position, ambient);
  if (!object) return E_OUTOFMEMORY;
  site = adopt(object->clientSite());  // takes over the first reference
  return S_OK;
}

}  // namespace zenthra::about
