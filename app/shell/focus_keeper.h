#pragma once
// A top-level window that, like a dialog, gives the focus back to the
// control that had it when the window is activated again.

#include <windows.h>

namespace zenthra::shell {

class FocusKeeper {
 public:
  // `window`'s WM_ACTIVATE: on leaving, notes its child that has the focus;
  // on coming back, focuses the noted child, or `fallback` (borrowed, may
  // be null) when there is none or it is gone.
  void OnActivate(HWND window, WPARAM activation, HWND fallback);
  // Forgets the noted child, once the window's children are gone.
  void Forget() { focus_ = nullptr; }

 private:
  HWND focus_ = nullptr;  // borrowed: a child of the window
};

}  // namespace zenthra::shell
