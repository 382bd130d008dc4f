// The second start-up floor: Zenthra's window and menu bar with exactly its
// controls in their start states, places and font, created by the main
// window's own control factory from its layout table, and nothing else: no
// force rules, no notifications handled, no icons.

#include <windows.h>

#include <commctrl.h>

#include "floor_window.h"
#include "shell/dpi_resources.h"
#include "ui/main_window_controls.h"
#include "win32/result.h"

namespace {

using namespace zenthra;

HRESULT FillWithControls(HINSTANCE instance, HWND window, UINT dpi, win32::UniqueHfont& font) {
  font = shell::CreateLayoutFont(dpi);
  RETURN_LAST_ERROR_IF(!font);
  ui::Controls controls{};  // owned by `window`
  RETURN_IF_FAILED(ui::CreateControls(instance, window, dpi, controls));
  for (HWND control : controls) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  // With the font set, a level box takes its closed height from the table
  // as in the main window.
  return ui::PlaceControls(controls, dpi);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The same control classes as Zenthra registers before its window.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!InitCommonControlsEx(&controls)) return 1;
  return bench::RunFloor(instance, showCommand, FillWithControls);
}
