#include "floor_window.h"

#include "about/about_layout.h"
#include "shell/dpi.h"
#include "shell/program_windows.h"
#include "shell/twips.h"
#include "shell/window_base.h"
#include "shell/window_placement.h"
#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "win32/result.h"

namespace zenthra::bench {

namespace {

using shell::ToPixels;

constexpr wchar_t kAboutClass[] = L"ZenthraStartupFloorAbout";

}  // namespace

// Its class has only the default window procedure: the system destroys it
// on WM_CLOSE.
void OpenEmptyAboutWindow(HINSTANCE instance, shell::ProgramWindows&) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);        // shared system cursor
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // system brush, never freed
  windowClass.lpszClassName = kAboutClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

  const shell::FrameStyle& frame = about::kAboutFrame;
  HWND about = CreateWindowExW(frame.exStyle, kAboutClass, L"About", frame.style, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                               nullptr, nullptr, instance, nullptr);
  if (about == nullptr) return;
  const UINT dpi = shell::dpi::ForWindow(about);
  const SIZE client{ToPixels(about::kAboutLayout.clientWidth, dpi), ToPixels(about::kAboutLayout.clientHeight, dpi)};
  if (FAILED(shell::CentreWindow(about, client, frame, dpi))) {
    DestroyWindow(about);
    return;
  }
  ShowWindow(about, SW_SHOWNORMAL);  // returns the earlier visibility, not an error
  SetForegroundWindow(about);
}

namespace {

// Owned by RunFloor, as Zenthra's main window is by its wWinMain.
class FloorWindow final : public shell::WindowBase<FloorWindow, shell::Owner::Caller> {
 public:
  static constexpr const wchar_t* kClassName = L"ZenthraStartupFloor";

  FloorWindow(HINSTANCE instance, FillWindow fill, OpenAbout openAbout, shell::ProgramWindows& windows)
      : instance_(instance), fill_(fill), openAbout_(openAbout), windows_(windows) {}
  ~FloorWindow() {
    if (Window() != nullptr) DestroyWindow(Window());
  }

  // Sized and centred in WM_CREATE, once the window's DPI is known. The
  // window is destroyed by File > Exit, WM_CLOSE or this object's end.
  HRESULT Create(int showCommand) {
    const shell::WindowSetup setup{GetSysColorBrush(COLOR_BTNFACE),
                                   MAKEINTRESOURCEW(IDR_MAINMENU),
                                   ui::kMainWindowFrame.style,
                                   ui::kMainWindowFrame.exStyle,
                                   L"Zenthra floor",
                                   {}};
    RETURN_LAST_ERROR_IF(!CreateWindowOf(this, instance_, setup));
    ShowWindow(Window(), showCommand);  // returns the earlier visibility, not an error
    RETURN_LAST_ERROR_IF(!UpdateWindow(Window()));
    return S_OK;
  }

 private:
  friend WindowBase;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        return SUCCEEDED(OnCreate()) ? 0 : -1;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDM_ABOUT) openAbout_(instance_, windows_);
        if (LOWORD(wParam) == IDM_EXIT) DestroyWindow(Window());
        return 0;
      default:
        return DefWindowProcW(Window(), message, wParam, lParam);
    }
  }

  HRESULT OnCreate() {
    windows_.Add(Window());
    const UINT dpi = shell::dpi::ForWindow(Window());
    RETURN_IF_FAILED(fill_(instance_, Window(), dpi, font_));
    const SIZE client{ToPixels(ui::kClientWidthTwips, dpi), ToPixels(ui::kClientHeightTwips, dpi)};
    return shell::CentreWindow(Window(), client, ui::kMainWindowFrame, dpi);
  }

  void OnNcDestroy() { windows_.Remove(Window()); }

  HINSTANCE instance_;
  FillWindow fill_;
  OpenAbout openAbout_;
  shell::ProgramWindows& windows_;
  win32::UniqueHfont font_;  // what the controls draw with, if the floor has any
};

}  // namespace

int RunFloor(HINSTANCE instance, int showCommand, FillWindow fill, OpenAbout openAbout) {
  shell::ProgramWindows windows;
  FloorWindow floor(instance, fill, openAbout, windows);
  if (FAILED(floor.Create(showCommand))) return 1;
  return windows.RunMessageLoop();
}

}  // namespace zenthra::bench
