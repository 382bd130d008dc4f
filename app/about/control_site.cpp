#include "about/control_site.h"

#include "win32/com_object.h"
#include "win32/result.h"

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;

// One COM object with four members, each an interface (or two) that shares
// the object's identity and count. QISearch answers IUnknown with the
// table's first entry, so the client site's entry comes first: the site's
// identity is the IUnknown of its IOleClientSite.
class ControlSite final : public win32::ComObject<ControlSite, IUnknown> {
 public:
  ControlSite(HWND parent, const RECT& position, const AmbientProperties& ambient)
      : parent_(parent), position_(position), ambient_(ambient) {}

  IUnknown& Identity() noexcept { return *this; }

  static const QITAB* InterfaceTable() noexcept {
    static const QITAB table[] = {
        win32::MemberEntry<IOleClientSite>(&ControlSite::clientSite_),  // first: the identity
        win32::MemberEntry<IOleWindow>(&ControlSite::inPlaceSite_),
        win32::MemberEntry<IOleInPlaceSite>(&ControlSite::inPlaceSite_),
        win32::MemberEntry<IOleInPlaceUIWindow>(&ControlSite::frame_),
        win32::MemberEntry<IOleInPlaceFrame>(&ControlSite::frame_),
        win32::MemberEntry<IDispatch>(&ControlSite::ambientDispatch_),
        {nullptr, 0},
    };
    return table;
  }

 private:
  template <typename Interface>
  using Member = win32::ComMember<Interface, ControlSite>;

  struct ClientSite final : Member<IOleClientSite> {
    using ComMember::ComMember;
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

  // The in-place site and the frame are both the dialog's window.
  template <typename Interface>
  struct WindowMember : Member<Interface> {
    using Member<Interface>::Member;
    STDMETHODIMP GetWindow(HWND* window) override {
      RETURN_HR_IF_NULL(E_POINTER, window);
      *window = this->Outer().parent_;
      return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  };

  struct InPlaceSite final : WindowMember<IOleInPlaceSite> {
    using WindowMember::WindowMember;
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position, RECT* clip,
                                  OLEINPLACEFRAMEINFO* info) override {
      RETURN_HR_IF(E_POINTER, !frame || !document || !position || !clip || !info);
      *frame = &Outer().frame_;
      (*frame)->AddRef();
      *document = nullptr;  // the frame is the only window level
      *position = Outer().position_;
      *clip = Outer().position_;
      info->fMDIApp = FALSE;
      info->hwndFrame = Outer().parent_;
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
      RETURN_HR_IF_NULL(E_POINTER, position);
      Outer().position_ = *position;
      return S_OK;
    }
  };

  // No menus, no tool space, no status bar: the dialog is a plain window.
  struct InPlaceFrame final : WindowMember<IOleInPlaceFrame> {
    using WindowMember::WindowMember;
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
    using ComMember::ComMember;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
      RETURN_HR_IF_NULL(E_POINTER, count);
      *count = 0;
      return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
      if (info) *info = nullptr;
      return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
      RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, !(flags & DISPATCH_PROPERTYGET));
      RETURN_HR_IF_NULL(E_POINTER, result);
      return Outer().GetAmbient(id, *result);
    }
  };

  HRESULT GetAmbient(DISPID id, VARIANT& result) {
    VariantInit(&result);
    switch (id) {
      case DISPID_AMBIENT_FONT:
        RETURN_HR_IF_NULL(DISP_E_MEMBERNOTFOUND, ambient_.font);
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

  ClientSite clientSite_{*this};
  InPlaceSite inPlaceSite_{*this};
  InPlaceFrame frame_{*this};
  Ambient ambientDispatch_{*this};
  HWND parent_;  // borrowed
  RECT position_;
  AmbientProperties ambient_;
};

}  // namespace

HRESULT CreateControlSite(HWND parent, const RECT& position, const AmbientProperties& ambient,
                          ComPtr<IOleClientSite>& site) {
  site.Reset();
  const ComPtr<ControlSite> object = win32::MakeComObject<ControlSite>(parent, position, ambient);
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, object.Get());
  return object.As(&site);
}

}  // namespace zenthra::about
