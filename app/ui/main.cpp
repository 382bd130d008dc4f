// Zenthra's entry point: the main window frmqel is the start-up object, and
// the program runs until its last window is gone.

#include <windows.h>

#include <commctrl.h>

#include "ui/main_window.h"
#include "ui/program_windows.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The manifest already declares per-monitor awareness; this call only
  // repeats it where the manifest is not read, and some systems refuse it.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!InitCommonControlsEx(&controls)) return 1;

  zenthra::ui::ProgramWindows windows;
  zenthra::ui::MainWindow mainWindow(instance, windows);
  if (!mainWindow.create(showCommand)) return 1;
  return windows.runMessageLoop();
}
