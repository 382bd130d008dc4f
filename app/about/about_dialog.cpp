#include "about/about_dialog.h"

#include "about/about_window.h"
#include "ui/program_windows.h"

namespace zenthra::about {

HWND ShowAbout(HINSTANCE instance, ui::ProgramWindows& windows) {
  HWND window = windows.find(kAboutWindowClass);
  if (!window) {
    window = AboutWindow::Load(instance, windows);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
  } else if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  }
  SetForegroundWindow(window);
  BringWindowToTop(window);
  return window;
}

void UnloadAbout(ui::ProgramWindows& windows) {
  if (HWND window = windows.find(kAboutWindowClass)) DestroyWindow(window);
}

}  // namespace zenthra::about
