#include "ui/window_placement.h"

#include <algorithm>

#include "ui/dpi.h"

namespace zenthra::ui {

bool centredFrame(HMONITOR monitor, SIZE client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi, RECT& frame) {
  RECT outer{0, 0, client.cx, client.cy};
  if (!dpi::adjustWindowRect(outer, style, hasMenu, exStyle, dpi)) return false;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return false;
  const RECT& work = info.rcWork;
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  const LONG left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
  const LONG top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
  frame = {left, top, left + width, top + height};
  return true;
}

}  // namespace zenthra::ui
