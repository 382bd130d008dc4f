#pragma once
// The tooltip that shows the link's address: when the mouse rests on the
// control, and below it while the control has the focus from the
// keyboard. Uses the common controls' tooltip, made when first needed:
// making one costs a few milliseconds, and most links are never hovered.

#include "win32/unique_handle.h"

#include <windows.h>
#include <oleauto.h>

namespace tessarel {

class LinkTooltip {
 public:
  // From now on the tips are over control (borrowed, the control's
  // window); nothing is made yet.
  void Attach(HWND control) noexcept;
  // Before the control's window goes.
  void Destroy() noexcept;

  // Each takes address, the text to show (borrowed; the tooltip keeps a
  // copy). Null is the empty address, for which no tip shows.
  // Shows address from now on, over the control's area as it is now.
  void Update(BSTR address) noexcept;
  // A mouse move over the control: the first one makes the tooltip and
  // hands it the move, which starts its wait to show the tip.
  void MouseMoved(const MSG& move, BSTR address) noexcept;
  // The tip that the keyboard focus brings, below the control.
  void ShowForFocus(BSTR address) noexcept;
  void HideForFocus() noexcept;

 private:
  // Makes the tooltip if there is none yet; false when it cannot. A link
  // without its tooltip still opens, by mouse and by keyboard.
  bool Ensure(BSTR address) noexcept;

  win32::UniqueHwnd window_;
  HWND control_ = nullptr;  // borrowed
};

}  // namespace tessarel
