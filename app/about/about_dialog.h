#pragma once
// The About dialog frmAbout, as the main window's menu commands reach it.

#include <windows.h>

#include "shell/program_windows.h"

namespace zenthra::about {

// Help > About: loads frmAbout when it is not loaded (creating its controls
// and running Form_Load) and shows it modeless and unowned, brought to the
// front; an open dialog is only brought forward. The dialog adds itself to
// `windows` while it exists. Returns the dialog's window, or nullptr when it
// could not be created.
HWND ShowAbout(HINSTANCE instance, shell::ProgramWindows& windows);

// File > Exit: unloads the dialog when it is loaded; nothing otherwise.
void UnloadAbout(shell::ProgramWindows& windows);

}  // namespace zenthra::about
