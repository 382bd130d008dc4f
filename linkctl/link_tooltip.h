// The tooltip that shows the link's address: when the mouse rests on the
// control, and below it while the control has the focus from the
// keyboard. Uses the common controls' tooltip.
#pragma once

#include "win32/unique_handle.h"

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

class LinkTooltip {
 public:
  // Makes the tooltip for control (borrowed, the control's window), with
  // the text address.
  HRESULT Create(HWND control, BSTR address);
  // Before the control's window goes.
  void Destroy() noexcept { window_.reset(); }

  // Shows address (borrowed; the tooltip keeps a copy) from now on, over
  // the control's area as it is now. Null is the empty address, for which
  // no tip shows.
  void Update(BSTR address) noexcept;
  // The tip that the keyboard focus brings, below the control.
  void ShowForFocus() noexcept;
  void HideForFocus() noexcept;

 private:
  win32::UniqueHwnd window_;
  HWND control_ = nullptr;  // borrowed
};

}  // namespace tessarel
