// The second start-up floor: Zenthra's window and menu bar with exactly its
// controls in their start states, places and font, and nothing else: no
// force rules, no notifications handled, no icons. Help > About opens an
// empty window of the dialog's size.

#include <windows.h>

#include "floor_window.h"
#include "same_controls.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace zenthra::bench;
  if (!InitStandardControls()) return 1;
  return RunFloor(instance, showCommand, FillWithControls, OpenEmptyAboutWindow);
}
