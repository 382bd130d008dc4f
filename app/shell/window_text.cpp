#include "shell/window_text.h"

namespace zenthra::shell {

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring result(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, result.data(), length + 1);
  result.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return result;
}

bool ShowWindowText(HWND window, std::wstring_view text) {
  if (WindowText(window) == text) return true;
  const std::wstring shown(text);
  if (!SetWindowTextW(window, shown.c_str())) return false;
  // Windows tells accessibility clients of the window's new name itself,
  // Wine does not; the client object, whose name is the text, tells them
  // here on both.
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  return true;
}

}  // namespace zenthra::shell
