#include "ui/level_box.h"

#include "ui/dpi.h"
#include "ui/main_window_layout.h"

namespace zenthra::ui::level_box {

bool addItems(HWND box) {
  for (std::wstring_view item : kLevelItems) {
    const std::wstring itemText(item);
    const LRESULT added = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
    if (added == CB_ERR || added == CB_ERRSPACE) return false;
  }
  return true;
}

bool showText(HWND box, std::wstring_view text) {
  const std::wstring shown(text);
  // CB_SETCURSEL rewrites the edit field with the item (or empties it for
  // none), so it comes first and the exact text second.
  const LRESULT item =
      SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(shown.c_str()));
  SendMessageW(box, CB_SETCURSEL, item == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(item), 0);
  return SetWindowTextW(box, shown.c_str()) != FALSE;
}

std::wstring text(HWND box) {
  const int length = GetWindowTextLengthW(box);
  if (length <= 0) return {};
  std::wstring result(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(box, result.data(), length + 1);
  result.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return result;
}

std::optional<std::wstring> pickedItem(HWND box) {
  const LRESULT item = SendMessageW(box, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) return std::nullopt;
  const LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
  if (length == CB_ERR) return std::nullopt;
  std::wstring result(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(result.data()));
  if (copied == CB_ERR) return std::nullopt;
  result.resize(static_cast<std::size_t>(copied));
  return result;
}

bool place(HWND box, const RECT& rect, UINT dpi) {
  const int wantedHeight = rect.bottom - rect.top;

  // A drop-down combo sizes its closed height from its selection field: move
  // the field by the difference until the closed box has the wanted height.
  // The field's setter may add the control's padding to what its getter
  // reports, so the next request corrects the last one, not the getter.
  constexpr int kFittingRounds = 3;
  const LRESULT field = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR) return false;
  LRESULT requested = field;
  for (int round = 0; round < kFittingRounds; ++round) {
    RECT closed{};
    if (!GetWindowRect(box, &closed)) return false;
    const int difference = wantedHeight - (closed.bottom - closed.top);
    if (difference == 0) break;
    requested += difference;
    if (SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested) == CB_ERR) return false;
  }

  // The height given to a drop-down combo is its height when dropped.
  const LRESULT item = SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
  if (item == CB_ERR) return false;
  const int listBorders = 2 * dpi::systemMetric(SM_CYBORDER, dpi);
  const int droppedHeight = wantedHeight + static_cast<int>(item) * static_cast<int>(kLevelItems.size()) + listBorders;
  return SetWindowPos(box, nullptr, rect.left, rect.top, rect.right - rect.left, droppedHeight,
                      SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

}  // namespace zenthra::ui::level_box
