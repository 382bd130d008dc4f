#include "ui/main_window_layout.h"

#include <algorithm>
#include <numeric>

namespace zenthra::ui {

std::array<std::size_t, kControlCount> creationOrder() {
  std::array<std::size_t, kControlCount> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::ranges::sort(order, [](std::size_t a, std::size_t b) {
    const ControlSpec& left = kMainWindowLayout[a];
    const ControlSpec& right = kMainWindowLayout[b];
    const bool leftFocus = takesFocus(left.kind);
    if (leftFocus != takesFocus(right.kind)) return leftFocus;
    return left.tabIndex < right.tabIndex;
  });
  return order;
}

RECT pixelRect(const ControlSpec& control, UINT dpi) {
  const int left = toPixels(control.left, dpi);
  const int top = toPixels(control.top, dpi);
  return {left, top, left + toPixels(control.width, dpi), top + toPixels(control.height, dpi)};
}

}  // namespace zenthra::ui
