// The second start-up floor: Zenthra's window and menu bar with exactly its
// controls in their start states and its font, created from the main
// window's own layout table and control factory, and nothing else: no force
// rules, no notifications handled, no icons.

#include <windows.h>

#include <commctrl.h>

#include "floor_window.h"
#include "ui/control_factory.h"
#include "ui/dpi_resources.h"
#include "ui/level_box.h"
#include "ui/main_window_layout.h"
#include "ui/unique_handle.h"

namespace {

using namespace zenthra::ui;

// Lives until the process ends, as the controls draw with it until then.
UniqueFont layoutFont;

bool createControls(HINSTANCE instance, HWND window, UINT dpi) {
  layoutFont = createLayoutFont(dpi);
  if (!layoutFont) return false;
  ControlKind previous = ControlKind::Label;
  for (std::size_t index : creationOrder()) {
    const ControlSpec& entry = kMainWindowLayout[index];
    // The option buttons form one group, as in the main window.
    const bool joinsGroup = entry.kind == ControlKind::OptionButton && previous == ControlKind::OptionButton;
    HWND control = createControl(instance, window, entry, controlId(index), dpi, joinsGroup);  // owned by `window`
    if (control == nullptr) return false;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(layoutFont.get()), FALSE);
    // With the font set, a level box takes its closed height from the table
    // as in the main window; the other controls already stand at theirs.
    if (entry.kind == ControlKind::LevelBox && !level_box::place(control, pixelRect(entry, dpi), dpi)) return false;
    previous = entry.kind;
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The same control classes as Zenthra registers before its window.
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!InitCommonControlsEx(&controls)) return 1;
  return zenthra::bench::runFloor(instance, showCommand, createControls);
}
