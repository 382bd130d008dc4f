#include "ui/main_window_controls.h"

#include <algorithm>
#include <numeric>

#include "ui/control_accessible.h"
#include "ui/control_factory.h"
#include "ui/level_box.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace zenthra::ui {

namespace {

constexpr std::size_t kNone = kControlCount;

// The layout index of each level box's caption label, by the box's layout
// index; kNone for every other control.
constexpr std::array<std::size_t, kControlCount> kCaptionLabelOf = [] {
  std::array<std::size_t, kControlCount> labels{};
  labels.fill(kNone);
  for (const PowerRow& row : PowerTable) labels[LayoutIndexOf(row.box).value()] = LayoutIndexOf(row.label).value();
  return labels;
}();

constexpr bool IsCaptionLabel(std::size_t index) {
  return std::ranges::find(kCaptionLabelOf, index) != kCaptionLabelOf.end();
}

// Where a caption label reaches into its box, the box is drawn above it: the
// label keeps its rectangle but draws only outside the box.
HRESULT ClipToBox(HWND label, const RECT& labelRect, const RECT& boxRect) {
  RECT overlap{};
  if (!IntersectRect(&overlap, &labelRect, &boxRect)) {
    RECT clipped{};
    if (GetWindowRgnBox(label, &clipped) == ERROR) return S_OK;  // no region to take away
    RETURN_LAST_ERROR_IF(!SetWindowRgn(label, nullptr, TRUE));
    return S_OK;
  }
  win32::UniqueHrgn visible(CreateRectRgn(0, 0, labelRect.right - labelRect.left, labelRect.bottom - labelRect.top));
  const win32::UniqueHrgn covered(CreateRectRgn(overlap.left - labelRect.left, overlap.top - labelRect.top,
                                                overlap.right - labelRect.left, overlap.bottom - labelRect.top));
  RETURN_HR_IF(E_OUTOFMEMORY, !visible || !covered);
  RETURN_HR_IF(E_FAIL, CombineRgn(visible.get(), visible.get(), covered.get(), RGN_DIFF) == ERROR);
  // The window owns the region from here on.
  RETURN_LAST_ERROR_IF(!SetWindowRgn(label, visible.get(), TRUE));
  static_cast<void>(visible.release());
  return S_OK;
}

// Each caption label that reaches into its box draws only outside it.
HRESULT ClipCaptionLabels(const Controls& controls, UINT dpi) {
  for (std::size_t box = 0; box < kControlCount; ++box) {
    const std::size_t label = kCaptionLabelOf[box];
    if (label == kNone) continue;
    RETURN_IF_FAILED(ClipToBox(controls[label], shell::ToPixels(kMainWindowLayout[label].rect, dpi),
                               shell::ToPixels(kMainWindowLayout[box].rect, dpi)));
  }
  return S_OK;
}

}  // namespace

std::array<std::size_t, kControlCount> CreationOrder() {
  std::array<std::size_t, kControlCount> byTabIndex{};
  std::iota(byTabIndex.begin(), byTabIndex.end(), std::size_t{0});
  std::ranges::sort(byTabIndex, [](std::size_t a, std::size_t b) {
    const ControlSpec& left = kMainWindowLayout[a];
    const ControlSpec& right = kMainWindowLayout[b];
    const bool leftFocus = TakesFocus(left.kind);
    if (leftFocus != TakesFocus(right.kind)) return leftFocus;
    return left.tabIndex < right.tabIndex;
  });
  std::array<std::size_t, kControlCount> order{};
  std::size_t next = 0;
  for (std::size_t index : byTabIndex) {
    if (IsCaptionLabel(index)) continue;  // goes with its box
    if (kCaptionLabelOf[index] != kNone) order[next++] = kCaptionLabelOf[index];
    order[next++] = index;
  }
  return order;
}

std::optional<std::size_t> CaptionLabelOf(std::size_t boxIndex) {
  if (boxIndex >= kControlCount || kCaptionLabelOf[boxIndex] == kNone) return std::nullopt;
  return kCaptionLabelOf[boxIndex];
}

HRESULT CreateControls(HINSTANCE instance, HWND parent, UINT dpi, HFONT font, Controls& controls) {
  ControlKind previous = ControlKind::Label;
  for (std::size_t index : CreationOrder()) {
    const ControlSpec& entry = kMainWindowLayout[index];
    const bool joinsGroup = entry.kind == ControlKind::OptionButton && previous == ControlKind::OptionButton;
    RETURN_IF_FAILED(CreateControl(instance, parent, entry, ControlId(index), dpi, font, joinsGroup, controls[index]));
    previous = entry.kind;
  }
  for (std::size_t box = 0; box < kControlCount; ++box) {
    const std::size_t label = kCaptionLabelOf[box];
    if (label != kNone) RETURN_IF_FAILED(control_accessible::NameByLabel(controls[box], controls[label]));
  }
  return ClipCaptionLabels(controls, dpi);
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
  return ClipCaptionLabels(controls, dpi);
}

}  // namespace zenthra::ui
