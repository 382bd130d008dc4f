// The first start-up floor: Zenthra's window, caption icons and menu bar,
// empty. Help > About opens an empty window of the dialog's size.

#include <windows.h>

#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace floor_bench;
  return RunFloor(instance, showCommand, LeaveEmpty, OpenEmptyAboutWindow);
}
