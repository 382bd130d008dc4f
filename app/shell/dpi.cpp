#include "shell/dpi.h"

namespace zenthra::shell::dpi {

namespace {

// The address of a user32 function, or null where this system lacks it.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");  // always loaded in a window program; not owned
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (!screen) return USER_DEFAULT_SCREEN_DPI;
  const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return logPixels > 0 ? static_cast<UINT>(logPixels) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void RequestPerMonitorAwareness() {
  using SetAwareness = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  static const auto set = User32Function<SetAwareness>("SetProcessDpiAwarenessContext");
  if (set) set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

UINT ForWindow(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto get = User32Function<GetForWindow>("GetDpiForWindow");
  const UINT dpi = get ? get(window) : 0;
  return dpi != 0 ? Clamp(dpi) : ForSystem();
}

UINT ForSystem() {
  using GetForSystem = UINT(WINAPI*)();
  static const auto get = User32Function<GetForSystem>("GetDpiForSystem");
  const UINT dpi = get ? get() : 0;
  return Clamp(dpi != 0 ? dpi : ScreenDpi());
}

DpiChange ReadDpiChanged(WPARAM wParam, LPARAM lParam) {
  const UINT sent = LOWORD(wParam);  // the horizontal DPI; Windows sends the same for both axes
  const UINT dpi = Clamp(sent);
  return {dpi, dpi == sent ? reinterpret_cast<const RECT*>(lParam) : nullptr};
}

int SystemMetric(int index, UINT dpi) {
  using GetMetric = int(WINAPI*)(int, UINT);
  static const auto get = User32Function<GetMetric>("GetSystemMetricsForDpi");
  if (get) return get(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ForSystem()));
}

bool AdjustWindowRect(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) {
  using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<Adjust>("AdjustWindowRectExForDpi");
  if (adjust) return adjust(&rect, style, hasMenu, exStyle, dpi) != FALSE;
  return AdjustWindowRectEx(&rect, style, hasMenu, exStyle) != FALSE;
}

}  // namespace zenthra::shell::dpi
