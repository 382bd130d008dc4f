#pragma once
// What the control tells accessibility tools: a link named by its Text,
// with its Link as value, focusable, and "Jump" as its default action,
// which opens the link as a click does. Everything else the system's
// standard object of the control's window answers.

#include <wrl/client.h>

#include "module.h"
#include "tessarel_h.h"
#include "win32/standard_accessible.h"

namespace tessarel {

class LinkAccessible final : public win32::StandardAccessible<LinkAccessible> {
 public:
  // window is the control's own (borrowed); control is kept for the
  // object's lifetime, to read its Text and Link.
  static HRESULT Create(HWND window, _tessarelcontrol* control, Microsoft::WRL::ComPtr<IAccessible>& accessible);

  IFACEMETHODIMP get_accName(VARIANT child, BSTR* name) override;
  IFACEMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
  IFACEMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
  IFACEMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
  IFACEMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
  IFACEMETHODIMP accDoDefaultAction(VARIANT child) override;
  IFACEMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;

 private:
  LinkAccessible() = default;
  ~LinkAccessible() override = default;

  ModuleObjectCount objectCount_;
  Microsoft::WRL::ComPtr<_tessarelcontrol> control_;
};

}  // namespace tessarel
