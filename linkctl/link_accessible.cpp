#include "link_accessible.h"

#include <new>

#include "label_window.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

HRESULT LinkAccessible::Create(HWND window, _tessarelcontrol* control, ComPtr<IAccessible>& accessible) {
  accessible.Reset();
  ComPtr<LinkAccessible> object = win32::Adopt(new (std::nothrow) LinkAccessible());
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, object);
  RETURN_IF_FAILED(object->WrapStandard(window, OBJID_CLIENT));
  object->control_ = control;
  accessible = std::move(object);
  return S_OK;
}

IFACEMETHODIMP LinkAccessible::get_accName(VARIANT child, BSTR* name) {
  if (!AnswersFor(child)) return StandardAccessible::get_accName(child, name);
  RETURN_HR_IF_NULL(E_POINTER, name);
  return control_->get_Text(name);
}

IFACEMETHODIMP LinkAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (!AnswersFor(child)) return StandardAccessible::get_accValue(child, value);
  RETURN_HR_IF_NULL(E_POINTER, value);
  return control_->get_Link(value);
}

IFACEMETHODIMP LinkAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!AnswersFor(child)) return StandardAccessible::get_accRole(child, role);
  RETURN_HR_IF_NULL(E_POINTER, role);
  role->vt = VT_I4;
  role->lVal = ROLE_SYSTEM_LINK;
  return S_OK;
}

IFACEMETHODIMP LinkAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (!AnswersFor(child)) return StandardAccessible::get_accState(child, state);
  RETURN_HR_IF_NULL(E_POINTER, state);
  // What the window itself says (hidden, disabled), where the system can
  // tell; the rest is the link's own.
  constexpr LONG kFromWindow = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_OFFSCREEN;
  LONG flags = 0;
  win32::UniqueVariant fromWindow;
  if (SUCCEEDED(StandardAccessible::get_accState(child, fromWindow.get())) && fromWindow->vt == VT_I4)
    flags = fromWindow->lVal & kFromWindow;
  flags |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
  if (GetFocus() == Window()) flags |= STATE_SYSTEM_FOCUSED;
  state->vt = VT_I4;
  state->lVal = flags;
  return S_OK;
}

IFACEMETHODIMP LinkAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!AnswersFor(child)) return StandardAccessible::get_accDefaultAction(child, action);
  RETURN_HR_IF_NULL(E_POINTER, action);
  *action = SysAllocString(L"Jump");
  return *action != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The link opens once the caller is answered: the shell may take its
// time, and the caller may be another process waiting for the call.
IFACEMETHODIMP LinkAccessible::accDoDefaultAction(VARIANT child) {
  if (!AnswersFor(child)) return StandardAccessible::accDoDefaultAction(child);
  RETURN_HR_IF(E_FAIL, !IsWindow(Window()));
  return PostLabelClick(Window());
}

IFACEMETHODIMP LinkAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (!AnswersFor(child)) return StandardAccessible::accLocation(left, top, width, height, child);
  RETURN_HR_IF(E_POINTER, left == nullptr || top == nullptr || width == nullptr || height == nullptr);
  RECT screen{};
  RETURN_LAST_ERROR_IF(!GetWindowRect(Window(), &screen));
  *left = screen.left;
  *top = screen.top;
  *width = screen.right - screen.left;
  *height = screen.bottom - screen.top;
  return S_OK;
}

}  // namespace tessarel
