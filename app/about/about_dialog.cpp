#include "about/about_dialog.h"

#include "about/about_window.h"
#include "win32/ole_initialization.h"
#include "win32/result.h"

namespace zenthra::about {

HWND ShowAbout(HINSTANCE instance, shell::ProgramWindows& windows) {
  HWND window = windows.Find(kAboutWindowClass);
  if (!window) {
    // The dialog initialises OLE for itself too, but its own last
    // OleUninitialize would unload the link label library with each closing,
    // possibly while a control still runs a click. Without OLE the dialog
    // shows its links as plain labels.
    LOG_IF_FAILED(win32::KeepOleForThisThread());
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
