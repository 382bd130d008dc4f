// Zenthra's entry point: the main window frmqel is the start-up object, and
// the program runs until its last window is gone.

#include <windows.h>

#include <commctrl.h>

#include "shell/dpi.h"
#include "shell/program_windows.h"
#include "ui/bot_file_choice.h"
#include "ui/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The manifest already declares per-monitor awareness; this only repeats
  // it where the manifest is not read.
  zenthra::shell::dpi::RequestPerMonitorAwareness();

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!InitCommonControlsEx(&controls)) return 1;

  // OLE is initialised on first use (About, a screen reader), then kept for
  // the rest of the run: nothing the first paint needs uses it.

  // The main window is this function's: it outlives the message loop and
  // destroys its window, if any is left, on the way out.
  zenthra::shell::ProgramWindows windows;
  zenthra::ui::MainWindow mainWindow(instance, windows);
  if (FAILED(mainWindow.Create(showCommand))) return 1;
  // A bot file named on the command line opens into the shown window, which
  // then tells of any problem with it.
  if (const auto path = zenthra::ui::CommandLineFile(GetCommandLineW())) mainWindow.OpenBotFile(*path);
  return windows.RunMessageLoop();
}
