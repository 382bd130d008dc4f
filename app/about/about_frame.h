#pragma once
// The About dialog's window and plain children, built from its layout
// table. The dialog uses them, and so does any window that must look the
// same (the benchmark's floor with stock links), so both stay alike.

#include <ocidl.h>
#include <windows.h>

#include "shell/twips.h"
#include "shell/window_base.h"

namespace zenthra::about {

// The client area at dpi.
SIZE AboutClientSize(UINT dpi);

// What the dialog window is created with: centred on the primary monitor
// for the DPI it will most likely get, which saves the move and resize of a
// window created at the default place. WM_CREATE centres it again when its
// real DPI differs from placedAtDpi.
struct AboutWindowStart {
  shell::WindowSetup setup;
  UINT placedAtDpi;  // 0 when the place could not be had
};
AboutWindowStart AboutWindowSetup();

// A visible child at place (twips at dpi) with font (none: the system's).
// A child that cannot be made leaves its place empty; the dialog still opens.
void CreateAboutChild(HWND dialog, HFONT font, UINT dpi, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                      const shell::TwipsRect& place, int id);

// The layout's labels and buttons (all but the links).
void CreateAboutChildren(HWND dialog, HFONT font, UINT dpi);

// Gives the child the font (when there is one) and its place (twips at
// dpi); nothing for a missing child.
void RestyleAboutChild(HWND child, HFONT font, UINT dpi, const shell::TwipsRect& place);

// The same for the layout's labels and buttons.
void RestyleAboutChildren(HWND dialog, HFONT font, UINT dpi);

// The texts set when the dialog loads: its caption "About <title>", the
// title and the version.
void SetAboutTexts(HWND dialog);

// WM_CTLCOLORSTATIC of a label: its text colour from the layout, on the
// button face.
LRESULT ColourAboutLabel(HDC dc, HWND label);

// Paints what the dialog draws itself: the picture (when there is one) and
// the etched rule.
void PaintAboutFrame(HDC dc, IPicture* picture, UINT dpi);

}  // namespace zenthra::about
