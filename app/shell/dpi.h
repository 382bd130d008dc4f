#pragma once
// The per-monitor DPI functions of Windows 10 version 1607 and later, looked
// up when first used so that the program still starts on Windows 7 to 8.1,
// where the system-wide DPI stands in for them.

#include <windows.h>

namespace zenthra::shell::dpi {

// Asks for per-monitor (v2) awareness where the system knows it. The
// manifest asks for the same; a refusal leaves what the manifest gave.
void RequestPerMonitorAwareness();

// The DPI that `window` is drawn at; the system DPI on older systems.
UINT ForWindow(HWND window);

// The system DPI.
UINT ForSystem();

// A system metric at `dpi`; on older systems the metric at the system DPI,
// scaled to `dpi`.
int SystemMetric(int index, UINT dpi);

// AdjustWindowRectEx at `dpi`; on older systems at the system DPI.
bool AdjustWindowRect(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi);

}  // namespace zenthra::shell::dpi
