#include "same_controls.h"

#include <commctrl.h>

#include "shell/dpi_resources.h"
#include "ui/main_window_controls.h"
#include "win32/result.h"

namespace zenthra::bench {

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

bool InitStandardControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace zenthra::bench
