#pragma once
// The floor of Zenthra's About dialog: a plain window with the dialog's
// frame, client size, controls, texts, picture, etched rule, icon and font,
// made from the dialog's own layout table and resources, but with three
// stock SysLink controls where the dialog hosts its three link label
// controls. Nothing of OLE control hosting; everything a user sees.

#include <windows.h>

#include "shell/program_windows.h"

namespace zenthra::bench {

// An OpenAbout of RunFloor: loads the dialog (when it is not open), shows
// it and brings it to the front, as Zenthra's Help > About does. COM must
// be initialised on the thread for the picture to be decoded.
void OpenSysLinkAbout(HINSTANCE instance, shell::ProgramWindows& windows);

}  // namespace zenthra::bench
