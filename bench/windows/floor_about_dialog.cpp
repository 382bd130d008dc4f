// The About floor: the same-controls floor whose Help > About opens the
// About dialog's content with stock SysLink links in place of the hosted
// link label controls. OLE is initialised for the whole run, as in Zenthra,
// so that neither About pays for the thread's first initialisation; the
// picture decode needs it.

#include <windows.h>

#include "floor_window.h"
#include "same_controls.h"
#include "syslink_about.h"
#include "win32/ole_initialization.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace zenthra::bench;
  if (!InitStandardControls()) return 1;
  const win32::OleInitialization ole;
  return RunFloor(instance, showCommand, FillWithControls, OpenSysLinkAbout);
}
