// The control's own child window, in which lbl_hylinx is drawn. The window
// reports what it needs from the control through LabelWindowEvents.
#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

namespace tessarel {

class LabelWindowEvents {
 public:
  // Paints the whole client area into dc.
  virtual void OnPaintLabel(HDC dc, const RECT& client) = 0;
  // lbl_hylinx_Click: a left click that went down and up on the window.
  virtual void OnLabelClick() = 0;

 protected:
  ~LabelWindowEvents() = default;
};

// Creates the window as a visible child of parent at position (pixels,
// parent's client coordinates). events must outlive the window.
HRESULT CreateLabelWindow(HWND parent, const RECT& position, LabelWindowEvents* events, win32::UniqueHwnd& window);

// Called when the library is unloaded; harmless if never registered.
void UnregisterLabelWindowClass() noexcept;

}  // namespace tessarel
