#include "about/about_dialog.h"

#include "about/about_window.h"

namespace zenthra::about {

HWND ShowAbout(HINSTANCE instance, shell::ProgramWindows& windows) {
  HWND window = windows.Find(kAboutWindowClass);
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

void UnloadAbout(shell::ProgramWindows& windows) {
  if (HWND window = windows.Find(kAboutWindowClass)) DestroyWindow(window);
}

}  // namespace zenthra::about
