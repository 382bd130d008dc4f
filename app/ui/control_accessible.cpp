#include "ui/control_accessible.h"

#include <commctrl.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <new>

#include "win32/ole_initialization.h"
#include "win32/result.h"
#include "win32/standard_accessible.h"
#include "win32/unique_handle.h"

namespace zenthra::ui::control_accessible {

namespace {

using Microsoft::WRL::ComPtr;

// How a subclassed control finds its name: the subclass's id says how to
// read its reference data.
enum SubclassId : UINT_PTR {
  kNamedByLabel = 1,  // reference data: the label's window
  kNamedAs = 2,       // reference data: the name
};

// The window's text as a new string; null when memory runs out.
BSTR WindowTextBstr(HWND window) {
  const int length = std::max(GetWindowTextLengthW(window), 0);
  BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (text == nullptr || length == 0) return text;
  const int copied = std::max(GetWindowTextW(window, text, length + 1), 0);
  if (copied < length) text[copied] = L'\0';  // the text shrank meanwhile
  return text;
}

HRESULT Handed(BSTR text, BSTR* result) {
  *result = text;
  return text != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The standard object of the control, with its name and value replaced.
class NamedControlAccessible final : public win32::StandardAccessible<NamedControlAccessible> {
 public:
  // Takes `name` over.
  static HRESULT Create(HWND control, BSTR name, ComPtr<NamedControlAccessible>& object) {
    win32::UniqueBstr owned(name);
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, name);
    object = win32::Adopt(new (std::nothrow) NamedControlAccessible());
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, object);
    object->name_ = std::move(owned);
    return object->WrapStandard(control, OBJID_CLIENT);
  }

  IFACEMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!AnswersFor(child)) return StandardAccessible::get_accName(child, name);
    RETURN_HR_IF_NULL(E_POINTER, name);
    return Handed(SysAllocStringLen(name_.get(), SysStringLen(name_.get())), name);
  }

  IFACEMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (!AnswersFor(child)) return StandardAccessible::get_accValue(child, value);
    RETURN_HR_IF_NULL(E_POINTER, value);
    return Handed(WindowTextBstr(Window()), value);
  }

 private:
  NamedControlAccessible() = default;
  ~NamedControlAccessible() override = default;

  win32::UniqueBstr name_;
};

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(control, &NamedControlProc, id);
  if (message != WM_GETOBJECT || static_cast<LONG>(lParam) != OBJID_CLIENT)
    return DefSubclassProc(control, message, wParam, lParam);
  // The object goes to the client through COM, which is started on this
  // first request rather than with the program.
  if (FAILED(LOG_IF_FAILED(win32::KeepOleForThisThread()))) return DefSubclassProc(control, message, wParam, lParam);
  BSTR name = id == kNamedByLabel ? WindowTextBstr(reinterpret_cast<HWND>(data))
                                  : SysAllocString(reinterpret_cast<const wchar_t*>(data));
  ComPtr<NamedControlAccessible> object;
  // Without an object of its own the control still answers as standard.
  if (FAILED(NamedControlAccessible::Create(control, name, object)))
    return DefSubclassProc(control, message, wParam, lParam);
  return LresultFromObject(__uuidof(IAccessible), wParam, object.Get());
}

HRESULT Subclass(HWND control, SubclassId id, DWORD_PTR data) {
  RETURN_LAST_ERROR_IF(!SetWindowSubclass(control, &NamedControlProc, id, data));
  return S_OK;
}

}  // namespace

HRESULT NameByLabel(HWND control, HWND label) {
  RETURN_IF_FAILED(Subclass(control, kNamedByLabel, reinterpret_cast<DWORD_PTR>(label)));
  COMBOBOXINFO combo{};
  combo.cbSize = sizeof(combo);
  if (GetComboBoxInfo(control, &combo) && combo.hwndItem != nullptr)
    RETURN_IF_FAILED(Subclass(combo.hwndItem, kNamedByLabel, reinterpret_cast<DWORD_PTR>(label)));
  return S_OK;
}

HRESULT NameAs(HWND control, const wchar_t* name) {
  return Subclass(control, kNamedAs, reinterpret_cast<DWORD_PTR>(name));
}

}  // namespace zenthra::ui::control_accessible
