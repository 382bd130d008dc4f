#include "shell/focus_keeper.h"

namespace zenthra::shell {

void FocusKeeper::OnActivate(HWND window, WPARAM activation, HWND fallback) {
  if (LOWORD(activation) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) focus_ = focus;
    return;
  }
  HWND target = focus_ != nullptr && IsWindow(focus_) && IsChild(window, focus_) ? focus_ : fallback;
  // A child that refuses the focus leaves it where activation put it.
  if (target != nullptr) SetFocus(target);
}

}  // namespace zenthra::shell
