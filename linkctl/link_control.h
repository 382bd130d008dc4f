#pragma once
// tessarelcontrol: the link label control object. One object serves all of
// its interfaces; each interface below is a base of the object and they
// share one reference count and one QueryInterface.

#include <ocidl.h>
#include <olectl.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include "connection_point.h"
#include "font_watch.h"
#include "label.h"
#include "label_window.h"
#include "link_tooltip.h"
#include "module.h"
#include "tessarel_h.h"
#include "win32/com_object.h"
#include "win32/unique_handle.h"

namespace tessarel {

// Dispatch identifiers of the properties, as in the type library.
inline constexpr DISPID kDispIdBackColor = 0x68030000;
inline constexpr DISPID kDispIdLink = 0x68030001;
inline constexpr DISPID kDispIdText = 0x68030002;
inline constexpr DISPID kDispIdForeColor = 0x68030003;
inline constexpr DISPID kDispIdFont = DISPID_FONT;

// OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
// OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST
inline constexpr DWORD kMiscStatus = 0x00020191;

inline constexpr wchar_t kDefaultLink[] = L"http:\\\\";

class LinkControl final
    : public win32::ComObject<LinkControl, _tessarelcontrol, IConnectionPointContainer, IPersistPropertyBag,
                              IPersistStreamInit, IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IOleControl,
                              IViewObject2, IProvideClassInfo2>,
      private LabelWindowEvents,
      private FontChangeListener {
 public:
  // Creates an instance in the designed state and queries it for riid.
  static HRESULT Create(REFIID riid, void** object);

  // The bases' interfaces, and the ones they derive from: IDispatch
  // through _tessarelcontrol, IPersist through IPersistStreamInit,
  // IOleWindow, IViewObject and IProvideClassInfo. The first entry also
  // answers IUnknown.
  static const QITAB* InterfaceTable() noexcept {
    static const QITAB table[] = {
        QITABENT(LinkControl, _tessarelcontrol),
        QITABENTMULTI(LinkControl, IDispatch, _tessarelcontrol),
        QITABENT(LinkControl, IConnectionPointContainer),
        QITABENTMULTI(LinkControl, IPersist, IPersistStreamInit),
        QITABENT(LinkControl, IPersistPropertyBag),
        QITABENT(LinkControl, IPersistStreamInit),
        QITABENT(LinkControl, IOleObject),
        QITABENTMULTI(LinkControl, IOleWindow, IOleInPlaceObject),
        QITABENT(LinkControl, IOleInPlaceObject),
        QITABENT(LinkControl, IOleInPlaceActiveObject),
        QITABENT(LinkControl, IOleControl),
        QITABENTMULTI(LinkControl, IViewObject, IViewObject2),
        QITABENT(LinkControl, IViewObject2),
        QITABENTMULTI(LinkControl, IProvideClassInfo, IProvideClassInfo2),
        QITABENT(LinkControl, IProvideClassInfo2),
        {nullptr, 0},
    };
    return table;
  }

  // IDispatch, from the embedded type library
  IFACEMETHODIMP GetTypeInfoCount(UINT* count) override;
  IFACEMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
  IFACEMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  IFACEMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

  // _tessarelcontrol
  IFACEMETHODIMP get_ForeColor(OLE_COLOR* ForeColor) override;
  IFACEMETHODIMP put_ForeColor(OLE_COLOR New_ForeColor) override;
  IFACEMETHODIMP get_Text(BSTR* Text) override;
  IFACEMETHODIMP put_Text(BSTR New_Text) override;
  IFACEMETHODIMP get_Link(BSTR* Link) override;
  IFACEMETHODIMP put_Link(BSTR New_Link) override;
  IFACEMETHODIMP get_Font(IFontDisp** Font) override;
  IFACEMETHODIMP putref_Font(IFontDisp* New_Font) override;
  IFACEMETHODIMP get_BackColor(OLE_COLOR* BackColor) override;
  IFACEMETHODIMP put_BackColor(OLE_COLOR New_BackColor) override;

  // IConnectionPointContainer
  IFACEMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  IFACEMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

  // IPersist, IPersistPropertyBag, IPersistStreamInit
  IFACEMETHODIMP GetClassID(CLSID* classId) override;
  IFACEMETHODIMP InitNew() override;                                               // UserControl_InitProperties
  IFACEMETHODIMP Load(IPropertyBag* bag, IErrorLog* errorLog) override;            // UserControl_ReadProperties
  IFACEMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;  // UserControl_WriteProperties
  IFACEMETHODIMP IsDirty() override;
  IFACEMETHODIMP Load(IStream* stream) override;
  IFACEMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  IFACEMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

  // IOleObject
  IFACEMETHODIMP SetClientSite(IOleClientSite* site) override;
  IFACEMETHODIMP GetClientSite(IOleClientSite** site) override;
  IFACEMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
  IFACEMETHODIMP Close(DWORD saveOption) override;
  IFACEMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
  IFACEMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  IFACEMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  IFACEMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  IFACEMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT position) override;
  IFACEMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  IFACEMETHODIMP Update() override;
  IFACEMETHODIMP IsUpToDate() override;
  IFACEMETHODIMP GetUserClassID(CLSID* classId) override;
  IFACEMETHODIMP GetUserType(DWORD form, LPOLESTR* userType) override;
  IFACEMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  IFACEMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  IFACEMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
  IFACEMETHODIMP Unadvise(DWORD connection) override;
  IFACEMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
  IFACEMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  IFACEMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  IFACEMETHODIMP GetWindow(HWND* window) override;
  IFACEMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
  IFACEMETHODIMP InPlaceDeactivate() override;
  IFACEMETHODIMP UIDeactivate() override;
  IFACEMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  IFACEMETHODIMP ReactivateAndUndo() override;
  IFACEMETHODIMP TranslateAccelerator(LPMSG message) override;
  IFACEMETHODIMP OnFrameWindowActivate(BOOL activate) override;
  IFACEMETHODIMP OnDocWindowActivate(BOOL activate) override;
  IFACEMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
  IFACEMETHODIMP EnableModeless(BOOL enable) override;

  // IOleControl
  IFACEMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  IFACEMETHODIMP OnMnemonic(MSG* message) override;
  IFACEMETHODIMP OnAmbientPropertyChange(DISPID id) override;
  IFACEMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject, IViewObject2
  IFACEMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetInfo, HDC drawDc,
                      LPCRECTL bounds, LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE* continueDrawing)(ULONG_PTR),
                      ULONG_PTR continueArgument) override;
  IFACEMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetInfo,
                             LOGPALETTE** colorSet) override;
  IFACEMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  IFACEMETHODIMP Unfreeze(DWORD freeze) override;
  IFACEMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
  IFACEMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
  IFACEMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

  // IProvideClassInfo, IProvideClassInfo2
  IFACEMETHODIMP GetClassInfo(ITypeInfo** classInfo) override;
  IFACEMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

 private:
  LinkControl();
  ~LinkControl() override;
  HRESULT Initialize();

  IUnknown& Identity() noexcept { return *static_cast<_tessarelcontrol*>(this); }

  // A reference of the control's own, held across a call out to the host
  // (a bag, a stream, a listener, the site, a sink it lets go of): the
  // host may release its last reference in there, and the control must
  // outlive the rest of the call that made it.
  Microsoft::WRL::ComPtr<LinkControl> KeepAlive() noexcept { return Microsoft::WRL::ComPtr<LinkControl>(this); }

  // Shows a property change that has happened and reports it to the host
  // (IPropertyNotifySink). Nothing a listener answers undoes the change,
  // so a setter's result is that of the change itself. It keeps the
  // control alive to its own end only: a setter touches nothing of the
  // control after it, as a listener may have let go of it.
  void PropertyChanged(DISPID id);
  // Each changes held unless it is equal already, and then reports it.
  HRESULT SetColor(OLE_COLOR& held, OLE_COLOR color, DISPID dispatchId);
  HRESULT SetText(win32::UniqueBstr& held, BSTR text, DISPID dispatchId);
  // Redraws the window, if any, and tells view advise sinks.
  void Refresh() noexcept;
  // Sets the label's font and starts following its changes.
  HRESULT SetLabelFont(Microsoft::WRL::ComPtr<IFont> font);
  // The host's ambient font, as a copy of its own; a fallback font when
  // the host offers none.
  HRESULT GetAmbientFont(Microsoft::WRL::ComPtr<IFont>& font);
  // UserControl_Resize: the label covers the whole control again.
  void UserControl_Resize() noexcept;
  SIZE ControlTwips() const noexcept;
  // A new extent (HIMETRIC) is checked first, then applied, which resizes
  // the label.
  static HRESULT ValidateExtent(const SIZEL& extent);
  void ApplyExtent(const SIZEL& extent) noexcept;
  struct PropertyValues;
  // Applies what a Load read, all of it or (on failure) none.
  HRESULT ApplyLoaded(PropertyValues& loaded);
  // Copies of what a Save writes, taken before its first call to the host,
  // which may change or free the control's own while it takes a value.
  HRESULT CurrentValues(PropertyValues& values) const;

  HRESULT ActivateInPlace(IOleClientSite* site, LPCRECT position);

  // Tooltip first: it watches the window.
  void DestroyWindows() noexcept;

  // LabelWindowEvents
  void OnPaintLabel(HDC dc, const RECT& client, bool showFocus) override;
  void OnLabelClick() override;  // lbl_hylinx_Click
  void OnLabelFocus(bool gained, bool byMouse) override;
  void OnLabelMouseMove(const MSG& move) override;
  void OnLabelContextMenu(POINT point) override;
  LRESULT OnLabelGetObject(WPARAM flags) override;
  HFONT OnLabelGetFont() override;
  // FontChangeListener
  void OnFontChanged() override;

  ModuleObjectCount objectCount_;
  // Borrowed from the module (GetTypeLibrary): the type library and, in
  // it, the type information of _tessarelcontrol.
  ITypeLib* typeLibrary_ = nullptr;
  ITypeInfo* typeInfo_ = nullptr;
  Label label_;
  win32::UniqueBstr link_;  // null (empty) until InitNew or Load
  FontWatch fontWatch_;
  ConnectionPoint propertyNotifyPoint_;
  ConnectionPoint eventPoint_;
  Microsoft::WRL::ComPtr<IOleClientSite> clientSite_;
  Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlaceSite_;
  Microsoft::WRL::ComPtr<IOleAdviseHolder> adviseHolder_;
  Microsoft::WRL::ComPtr<IAdviseSink> viewSink_;
  DWORD viewSinkAspects_ = 0;
  DWORD viewSinkFlags_ = 0;
  SIZEL extent_{};  // HIMETRIC
  bool dirty_ = false;
  LinkTooltip tooltip_;  // while active in place
  // Declared last so it is destroyed first: the window holds a borrowed
  // pointer to this object.
  win32::UniqueHwnd window_;
};

}  // namespace tessarel
