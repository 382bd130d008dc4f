// The first start-up floor: Zenthra's window and menu bar, empty. Help >
// About opens an empty window of the dialog's size.

#include <windows.h>

#include "floor_window.h"

namespace {

HRESULT LeaveEmpty(HINSTANCE, HWND, UINT, win32::UniqueHfont&) { return S_OK; }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return zenthra::bench::RunFloor(instance, showCommand, LeaveEmpty, zenthra::bench::OpenEmptyAboutWindow);
}
