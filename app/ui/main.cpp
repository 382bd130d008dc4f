// Zenthra's entry point: the main window frmqel is the start-up object, and
// the program runs until its last window is gone.

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "ui/dpi.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The manifest already declares per-monitor awareness; this only repeats
  // it where the manifest is not read.
  zenthra::ui::dpi::requestPerMonitorAwareness();

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!InitCommonControlsEx(&controls)) return 1;

  // OLE stays initialised for the whole run. The About dialog initialises it
  // too, but its own last OleUninitialize would unload the link label
  // library with each closing, possibly while a control is still running a
  // click. Without OLE the dialog shows its links as plain labels.
  struct OleSession {
    const HRESULT result = OleInitialize(nullptr);
    ~OleSession() {
      if (SUCCEEDED(result)) OleUninitialize();
    }
  } ole;

  zenthra::ui::ProgramWindows windows;
  zenthra::ui::MainWindow mainWindow(instance, windows);
  if (!mainWindow.create(showCommand)) return 1;
  return windows.runMessageLoop();
}
