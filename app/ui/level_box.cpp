#include "ui/level_box.h"

#include "shell/dpi.h"
#include "shell/window_text.h"
#include "ui/main_window_layout.h"
#include "win32/result.h"

namespace zenthra::ui::level_box {

HRESULT AddItems(HWND box) {
  for (std::wstring_view item : kLevelItems) {
    const std::wstring itemText(item);
    const LRESULT added = SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText.c_str()));
    RETURN_HR_IF(E_OUTOFMEMORY, added == CB_ERR || added == CB_ERRSPACE);
  }
  return S_OK;
}

HRESULT ShowText(HWND box, std::wstring_view text) {
  const std::wstring shown(text);
  // CB_SETCURSEL rewrites the edit field with the item (or empties it for
  // none), so it comes first and the exact text second.
  const LRESULT item =
      SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(shown.c_str()));
  SendMessageW(box, CB_SETCURSEL, item == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(item), 0);
  RETURN_LAST_ERROR_IF(!SetWindowTextW(box, shown.c_str()));
  return S_OK;
}

std::wstring Text(HWND box) { return shell::WindowText(box); }

std::optional<std::wstring> PickedItem(HWND box) {
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

HRESULT Place(HWND box, const RECT& rect, UINT dpi) {
  const int wantedHeight = rect.bottom - rect.top;

  // A drop-down combo sizes its closed height from its selection field: move
  // the field by the difference until the closed box has the wanted height.
  // The field's setter may add the control's padding to what its getter
  // reports, so the next request corrects the last one, not the getter.
  constexpr int kFittingRounds = 3;
  const LRESULT field = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  RETURN_HR_IF(E_FAIL, field == CB_ERR);
  LRESULT requested = field;
  for (int round = 0; round < kFittingRounds; ++round) {
    RECT closed{};
    RETURN_LAST_ERROR_IF(!GetWindowRect(box, &closed));
    const int difference = wantedHeight - (closed.bottom - closed.top);
    if (difference == 0) break;
    requested += difference;
    RETURN_HR_IF(E_FAIL, SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), requested) == CB_ERR);
  }

  // The height given to a drop-down combo is its height when dropped.
  const LRESULT item = SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
  RETURN_HR_IF(E_FAIL, item == CB_ERR);
  const int listBorders = 2 * shell::dpi::SystemMetric(SM_CYBORDER, dpi);
  const int droppedHeight = wantedHeight + static_cast<int>(item) * static_cast<int>(kLevelItems.size()) + listBorders;
  RETURN_LAST_ERROR_IF(!SetWindowPos(box, nullptr, rect.left, rect.top, rect.right - rect.left, droppedHeight,
                                     SWP_NOZORDER | SWP_NOACTIVATE));
  return S_OK;
}

}  // namespace zenthra::ui::level_box
