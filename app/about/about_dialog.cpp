#include "about/about_dialog.h"

#include "ui/program_windows.h"

namespace zenthra::about {

// The dialog itself is not built yet: Help > About does nothing.
HWND ShowAbout(HINSTANCE, ui::ProgramWindows&) { return nullptr; }

void UnloadAbout(ui::ProgramWindows&) {}

}  // namespace zenthra::about
