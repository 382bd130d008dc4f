#pragma once
// The per-monitor DPI functions of Windows 10 version 1607 and later, looked
// up when first used so that the program still starts on Windows 7 to 8.1,
// where the system-wide DPI stands in for them.

#include <windows.h>

#include <algorithm>

namespace zenthra::shell::dpi {

// The DPIs the windows are laid out at. 96 is the least Windows gives (100
// percent); below it the layout font no longer fits the layout's boxes (at
// 48 DPI its smallest face draws 16-pixel lines into 9-pixel labels). 960 is
// twice the most Windows offers (500 percent), and the layout still holds
// there. Far beyond it sizes stop making sense: at 8000 DPI the large icon
// alone would be 2667 pixels square, more than an X server takes in one
// request, and Wine ends the process over it.
inline constexpr UINT kMinimumDpi = 96;
inline constexpr UINT kMaximumDpi = 960;

// Every DPI the windows take, read or sent to them, goes through this.
constexpr UINT Clamp(UINT dpi) { return std::clamp(dpi, kMinimumDpi, kMaximumDpi); }

// What a WM_DPICHANGED asks of a window, from any sender.
struct DpiChange {
  UINT dpi;  // within range
  // The frame suggested for the new DPI (borrowed from the message), or
  // nullptr: none came, or it was made for a DPI out of range. The window
  // then sizes its frame itself.
  const RECT* suggested;
};
DpiChange ReadDpiChanged(WPARAM wParam, LPARAM lParam);

// Asks for per-monitor (v2) awareness where the system knows it. The
// manifest asks for the same; a refusal leaves what the manifest gave.
void RequestPerMonitorAwareness();

// The DPI that `window` is drawn at; the system DPI on older systems.
// Both within range, like every DPI read here.
UINT ForWindow(HWND window);

// The system DPI.
UINT ForSystem();

// A system metric at `dpi`; on older systems the metric at the system DPI,
// scaled to `dpi`.
int SystemMetric(int index, UINT dpi);

// AdjustWindowRectEx at `dpi`; on older systems at the system DPI.
bool AdjustWindowRect(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi);

}  // namespace zenthra::shell::dpi
