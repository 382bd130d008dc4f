// The first start-up floor: Zenthra's window and menu bar, empty.

#include <windows.h>

#include "floor_window.h"

namespace {

bool leaveEmpty(HINSTANCE, HWND, UINT) { return true; }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return zenthra::bench::runFloor(instance, showCommand, leaveEmpty);
}
