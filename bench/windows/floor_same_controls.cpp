// The second start-up floor: Zenthra's window, caption icons and menu bar
// with exactly its controls in their start states, places and font, and
// nothing else (floor_controls.cpp). Help > About opens an empty window of
// the dialog's size.

#include <windows.h>

#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace floor_bench;
  if (!InitStandardControls()) return 1;
  return RunFloor(instance, showCommand, FillWithControls, OpenEmptyAboutWindow);
}
