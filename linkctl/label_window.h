#pragma once
// The control's own child window, in which lbl_hylinx is drawn. It is a
// tab stop and behaves as a link does from the keyboard; it reports what
// it needs from the control through LabelWindowEvents.

#include "win32/unique_handle.h"

#include <windows.h>

namespace tessarel {

class LabelWindowEvents {
 public:
  // Paints the whole client area into dc, with a focus rectangle around
  // the text when showFocus is true.
  virtual void OnPaintLabel(HDC dc, const RECT& client, bool showFocus) = 0;
  // lbl_hylinx_Click: a left click that went down and up on the window,
  // Enter or Space while it has the focus, "Open Link" of its menu, or
  // the default action of its accessibility object.
  virtual void OnLabelClick() = 0;
  // The window gained or lost the keyboard focus; byMouse when a click on
  // it gave it the focus.
  virtual void OnLabelFocus(bool gained, bool byMouse) = 0;
  // The mouse moved over the window (move is the WM_MOUSEMOVE).
  virtual void OnLabelMouseMove(const MSG& move) = 0;
  // The user asked for the context menu, to be shown at point (screen).
  virtual void OnLabelContextMenu(POINT point) = 0;
  // WM_GETOBJECT for OBJID_CLIENT: the window's own accessibility object
  // through LresultFromObject, or 0 to leave it to the system.
  virtual LRESULT OnLabelGetObject(WPARAM flags) = 0;
  // WM_GETFONT: the font the label draws its text with, null while it has
  // none.
  virtual HFONT OnLabelGetFont() = 0;

 protected:
  ~LabelWindowEvents() = default;
};

// Creates the window as a visible child of parent at position (pixels,
// parent's client coordinates). events must outlive the window.
HRESULT CreateLabelWindow(HWND parent, const RECT& position, LabelWindowEvents* events, win32::UniqueHwnd& window);

// From now on the window reports nothing to its events (their owner is
// going).
void DetachLabelWindow(HWND window) noexcept;

// True for the keys that open the link of the window that has the focus:
// the first press (no auto-repeat) of Enter or Space.
bool IsOpeningKey(const MSG& message) noexcept;

// Has the window open its link once the messages queued before have been
// handled, as a click would (for callers that must not wait for the shell).
HRESULT PostLabelClick(HWND window);

// Called when the library is unloaded; harmless if never registered.
void UnregisterLabelWindowClass() noexcept;

}  // namespace tessarel
