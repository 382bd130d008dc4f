#pragma once
// The base of an accessibility object that a window hands out for itself
// through WM_GETOBJECT. It wraps the system's standard object for the
// window (CreateStdAccessibleObject) and forwards every IAccessible and
// IDispatch method to it, so that a derived class overrides only what it
// answers itself: a name, a role, a value, a default action.
//
//   class BoxAccessible final : public win32::StandardAccessible<BoxAccessible> {
//    public:
//     IFACEMETHODIMP get_accName(VARIANT child, BSTR* name) override;
//   };
//   // WM_GETOBJECT with OBJID_CLIENT:
//   ComPtr<BoxAccessible> object = win32::MakeComObject<BoxAccessible>();
//   if (object && SUCCEEDED(object->WrapStandard(window, OBJID_CLIENT)))
//     return LresultFromObject(__uuidof(IAccessible), wParam, object.Get());
//
// Some systems' standard objects answer little (no names, no default
// actions); what a client must see belongs in the derived class. Once the
// window is gone every call fails with CO_E_OBJNOTCONNECTED.
// Users link with oleacc.

#include "win32/com_object.h"

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

namespace win32 {

template <typename Derived>
class StandardAccessible : public ComObject<Derived, IAccessible> {
 public:
  // IAccessible and IDispatch. By __uuidof: the IID_IAccessible symbol of
  // some import libraries is not the interface's identifier.
  static const QITAB* InterfaceTable() noexcept {
    static const QITAB table[] = {
        {&__uuidof(IAccessible), OFFSETOFCLASS(IAccessible, Derived)},
        {&__uuidof(IDispatch), OFFSETOFCLASS(IAccessible, Derived)},
        {nullptr, 0},
    };
    return table;
  }

  // Wraps the standard object of objectId (OBJID_CLIENT, ...) of window;
  // once, before the object is handed out. window is borrowed: once it is
  // gone, the standard object answers for a window that is no more.
  HRESULT WrapStandard(HWND window, LONG objectId) {
    window_ = window;
    return CreateStdAccessibleObject(window, objectId, __uuidof(IAccessible),
                                     reinterpret_cast<void**>(standard_.ReleaseAndGetAddressOf()));
  }

  // IDispatch
  IFACEMETHODIMP GetTypeInfoCount(UINT* count) override { return Forward(&IAccessible::GetTypeInfoCount, count); }
  IFACEMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return Forward(&IAccessible::GetTypeInfo, index, locale, info);
  }
  IFACEMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return Forward(&IAccessible::GetIDsOfNames, riid, names, count, locale, ids);
  }
  IFACEMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override {
    return Forward(&IAccessible::Invoke, id, riid, locale, flags, params, result, exception, argumentError);
  }

  // IAccessible
  IFACEMETHODIMP get_accParent(IDispatch** parent) override { return Forward(&IAccessible::get_accParent, parent); }
  IFACEMETHODIMP get_accChildCount(LONG* count) override { return Forward(&IAccessible::get_accChildCount, count); }
  IFACEMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    return Forward(&IAccessible::get_accChild, child, object);
  }
  IFACEMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    return Forward(&IAccessible::get_accName, child, name);
  }
  IFACEMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return Forward(&IAccessible::get_accValue, child, value);
  }
  IFACEMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    return Forward(&IAccessible::get_accDescription, child, description);
  }
  IFACEMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    return Forward(&IAccessible::get_accRole, child, role);
  }
  IFACEMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    return Forward(&IAccessible::get_accState, child, state);
  }
  IFACEMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
    return Forward(&IAccessible::get_accHelp, child, help);
  }
  IFACEMETHODIMP get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) override {
    return Forward(&IAccessible::get_accHelpTopic, helpFile, child, topic);
  }
  IFACEMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
  }
  IFACEMETHODIMP get_accFocus(VARIANT* focus) override { return Forward(&IAccessible::get_accFocus, focus); }
  IFACEMETHODIMP get_accSelection(VARIANT* selection) override {
    return Forward(&IAccessible::get_accSelection, selection);
  }
  IFACEMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Forward(&IAccessible::get_accDefaultAction, child, action);
  }
  IFACEMETHODIMP accSelect(LONG flags, VARIANT child) override {
    return Forward(&IAccessible::accSelect, flags, child);
  }
  IFACEMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return Forward(&IAccessible::accLocation, left, top, width, height, child);
  }
  IFACEMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return Forward(&IAccessible::accNavigate, direction, start, end);
  }
  IFACEMETHODIMP accHitTest(LONG left, LONG top, VARIANT* child) override {
    return Forward(&IAccessible::accHitTest, left, top, child);
  }
  IFACEMETHODIMP accDoDefaultAction(VARIANT child) override { return Forward(&IAccessible::accDoDefaultAction, child); }
  IFACEMETHODIMP put_accName(VARIANT child, BSTR name) override {
    return Forward(&IAccessible::put_accName, child, name);
  }
  IFACEMETHODIMP put_accValue(VARIANT child, BSTR value) override {
    return Forward(&IAccessible::put_accValue, child, value);
  }

 protected:
  StandardAccessible() noexcept = default;
  ~StandardAccessible() override = default;

  // Borrowed: the window this object speaks for; null until WrapStandard.
  HWND Window() const noexcept { return window_; }

  // True when the derived class answers for child itself: child names the
  // object rather than one of its children, and the window is still there.
  // Otherwise it leaves the call to this base, which fails once the window
  // is gone: a client may keep the object longer than the window lives.
  bool AnswersFor(const VARIANT& child) const noexcept {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF && IsWindow(window_);
  }

 private:
  template <typename Method, typename... Arguments>
  HRESULT Forward(Method method, Arguments... arguments) {
    // The standard object answers some calls for a window that is gone.
    if (standard_ == nullptr || !IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    return (standard_.Get()->*method)(arguments...);
  }

  Microsoft::WRL::ComPtr<IAccessible> standard_;
  HWND window_ = nullptr;  // borrowed
};

}  // namespace win32
