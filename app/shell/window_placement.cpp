#include "shell/window_placement.h"

#include <algorithm>

#include "shell/dpi.h"
#include "win32/result.h"

namespace zenthra::shell {

HRESULT CentredFrame(HMONITOR monitor, SIZE client, const FrameStyle& frameStyle, UINT dpi, RECT& frame) {
  RECT outer{0, 0, client.cx, client.cy};
  RETURN_LAST_ERROR_IF(!dpi::AdjustWindowRect(outer, frameStyle.style, frameStyle.hasMenu, frameStyle.exStyle, dpi));
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RETURN_LAST_ERROR_IF(!GetMonitorInfoW(monitor, &info));
  const RECT& work = info.rcWork;
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  const LONG left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
  const LONG top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
  frame = {left, top, left + width, top + height};
  return S_OK;
}

HRESULT CentreWindow(HWND window, SIZE client, const FrameStyle& frameStyle, UINT dpi) {
  RECT frame{};
  RETURN_IF_FAILED(CentredFrame(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), client, frameStyle, dpi, frame));
  RETURN_LAST_ERROR_IF(!SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
                                     frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE));
  return S_OK;
}

HRESULT FollowDpiChange(HWND window, const dpi::DpiChange& change, SIZE client, const FrameStyle& frameStyle) {
  const RECT* suggested = change.suggested;
  if (!suggested) return CentreWindow(window, client, frameStyle, change.dpi);
  RETURN_LAST_ERROR_IF(!SetWindowPos(window, nullptr, suggested->left, suggested->top,
                                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                                     SWP_NOZORDER | SWP_NOACTIVATE));
  return S_OK;
}

}  // namespace zenthra::shell
