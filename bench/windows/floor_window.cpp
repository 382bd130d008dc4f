#include "floor_window.h"

#include "about/about_layout.h"
#include "ui/dpi.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "ui/window_placement.h"

namespace zenthra::bench {

namespace {

constexpr wchar_t kMainClass[] = L"ZenthraStartupFloor";
constexpr wchar_t kAboutClass[] = L"ZenthraStartupFloorAbout";

// The frames of Zenthra's main window and About dialog, so that the same
// client sizes give the same window sizes.
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kAboutStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

struct FloorState {
  HINSTANCE instance;
  FillWindow fill;
};

UINT dpiOf(HWND window) { return ui::dpi::forWindow(window); }

bool placeCentred(HWND window, SIZE client, DWORD style, bool menu, DWORD exStyle) {
  RECT frame{};
  if (!ui::centredFrame(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), client, style, menu, exStyle,
                        dpiOf(window), frame)) {
    return false;
  }
  return SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                      SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

// The empty stand-in for the About dialog: a window of its class's frame
// and its client size, shown and brought forward as the dialog is. The
// system destroys it on WM_CLOSE; an open one goes with the process.
void openAboutWindow(HINSTANCE instance) {
  HWND about = CreateWindowExW(kAboutExStyle, kAboutClass, L"About", kAboutStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                               nullptr, nullptr, instance, nullptr);
  if (about == nullptr) return;
  const UINT dpi = dpiOf(about);
  const SIZE client{about::ToPixels(about::kAboutLayout.clientWidth, dpi),
                    about::ToPixels(about::kAboutLayout.clientHeight, dpi)};
  if (!placeCentred(about, client, kAboutStyle, false, kAboutExStyle)) {
    DestroyWindow(about);
    return;
  }
  ShowWindow(about, SW_SHOWNORMAL);  // returns the earlier visibility, not an error
  SetForegroundWindow(about);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* state = static_cast<const FloorState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      const UINT dpi = dpiOf(window);
      if (!state->fill(state->instance, window, dpi)) return -1;
      const SIZE client{ui::toPixels(ui::kClientWidthTwips, dpi), ui::toPixels(ui::kClientHeightTwips, dpi)};
      return placeCentred(window, client, kMainStyle, true, 0) ? 0 : -1;
    }
    case WM_COMMAND: {
      const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
      if (LOWORD(wParam) == IDM_ABOUT) openAboutWindow(instance);
      if (LOWORD(wParam) == IDM_EXIT) DestroyWindow(window);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool registerClasses(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = mainProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);        // shared system cursor
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // system brush, never freed
  windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
  windowClass.lpszClassName = kMainClass;
  if (RegisterClassExW(&windowClass) == 0) return false;

  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kAboutClass;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

int runFloor(HINSTANCE instance, int showCommand, FillWindow fill) {
  if (!registerClasses(instance)) return 1;
  FloorState state{instance, fill};
  // Sized and centred in WM_CREATE, once the window's DPI is known. The
  // window is destroyed by File > Exit, WM_CLOSE or the end of the process.
  HWND window = CreateWindowExW(0, kMainClass, L"Zenthra floor", kMainStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, &state);
  if (window == nullptr) return 1;
  ShowWindow(window, showCommand);  // returns the earlier visibility, not an error
  if (!UpdateWindow(window)) return 1;

  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace zenthra::bench
