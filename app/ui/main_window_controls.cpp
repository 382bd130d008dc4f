#include "ui/main_window_controls.h"

#include <algorithm>
#include <numeric>

#include "ui/control_factory.h"
#include "ui/level_box.h"
#include "win32/result.h"

namespace zenthra::ui {

std::array<std::size_t, kControlCount> CreationOrder() {
  std::array<std::size_t, kControlCount> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::ranges::sort(order, [](std::size_t a, std::size_t b) {
    const ControlSpec& left = kMainWindowLayout[a];
    const ControlSpec& right = kMainWindowLayout[b];
    const bool leftFocus = TakesFocus(left.kind);
    if (leftFocus != TakesFocus(right.kind)) return leftFocus;
    return left.tabIndex < right.tabIndex;
  });
  return order;
}

HRESULT CreateControls(HINSTANCE instance, HWND parent, UINT dpi, Controls& controls) {
  ControlKind previous = ControlKind::Label;
  for (std::size_t index : CreationOrder()) {
    const ControlSpec& entry = kMainWindowLayout[index];
    const bool joinsGroup = entry.kind == ControlKind::OptionButton && previous == ControlKind::OptionButton;
    RETURN_IF_FAILED(CreateControl(instance, parent, entry, ControlId(index), dpi, joinsGroup, controls[index]));
    previous = entry.kind;
  }
  return S_OK;
}

HRESULT PlaceControls(const Controls& controls, UINT dpi) {
  for (std::size_t index = 0; index < kMainWindowLayout.size(); ++index) {
    const ControlSpec& entry = kMainWindowLayout[index];
    const RECT rect = shell::ToPixels(entry.rect, dpi);
    if (entry.kind == ControlKind::LevelBox) {
      RETURN_IF_FAILED(level_box::Place(controls[index], rect, dpi));
      continue;
    }
    RETURN_LAST_ERROR_IF(!SetWindowPos(controls[index], nullptr, rect.left, rect.top, rect.right - rect.left,
                                       rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE));
  }
  return S_OK;
}

}  // namespace zenthra::ui
