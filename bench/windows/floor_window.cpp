#include "floor_window.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace floor_bench {

namespace {

constexpr UINT kMinimumDpi = 96;
constexpr UINT kMaximumDpi = 960;

UINT ClampDpi(UINT dpi) { return std::clamp(dpi, kMinimumDpi, kMaximumDpi); }

// A user32 function of Windows 10 version 1607 and later, or null.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");  // loaded in every window program; not owned
  return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

bool AdjustFrame(RECT& rect, const Frame& frame, UINT dpi) {
  using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<Adjust>("AdjustWindowRectExForDpi");
  if (adjust) return adjust(&rect, frame.style, frame.hasMenu, frame.exStyle, dpi) != FALSE;
  return AdjustWindowRectEx(&rect, frame.style, frame.hasMenu, frame.exStyle) != FALSE;
}

// The layout font: 8.25 point, as hundredths of a point.
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr int kFontHundredthsOfPoint = 825;
constexpr int kHundredthsOfPointPerInch = 7200;
constexpr std::array<const wchar_t*, 2> kScalableFaces{L"Microsoft Sans Serif", L"Tahoma"};

UniqueFont CreateFace(const wchar_t* face, int charHeight, BYTE precision) {
  return UniqueFont(CreateFontW(-charHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

// The face the font mapper really chose for `font`, and its character
// height (cell height without internal leading).
bool Realize(HDC dc, HFONT font, std::array<wchar_t, LF_FACESIZE>& face, int& charHeight) {
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  const bool realized = previous && GetTextMetricsW(dc, &metrics) && GetTextFaceW(dc, LF_FACESIZE, face.data());
  if (previous) SelectObject(dc, previous);
  charHeight = metrics.tmHeight - metrics.tmInternalLeading;
  return realized;
}

UniqueIcon LoadIconSized(HINSTANCE instance, int sizeMetric, UINT dpi) {
  const int size = SystemMetric(sizeMetric, dpi);
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(FLOOR_ICON), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// Zenthra's main window: its frame, client area (twips) and menu bar.
constexpr Frame kMainFrame{WS_OVERLAPPEDWINDOW, 0, true};
constexpr int kMainClientWidth = 4800;
constexpr int kMainClientHeight = 8490;
constexpr wchar_t kMainClass[] = L"ZenthraStartupFloor";
constexpr wchar_t kEmptyAboutClass[] = L"ZenthraStartupFloorAbout";

// Owned by RunFloor; the window reaches it through GWLP_USERDATA.
class MainWindow {
 public:
  MainWindow(HINSTANCE instance, FillWindow fill, OpenAbout openAbout, FloorProgram& program)
      : instance_(instance), fill_(fill), openAbout_(openAbout), program_(program) {}
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() {
    if (window_) DestroyWindow(window_);
  }

  bool Create(int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);  // shared system cursor
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(FLOOR_MENU);
    windowClass.lpszClassName = kMainClass;
    if (!RegisterClassExW(&windowClass)) return false;
    // Sized and centred in WM_CREATE, once the window's DPI is known.
    if (!CreateWindowExW(kMainFrame.exStyle, kMainClass, L"Zenthra floor", kMainFrame.style, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this))
      return false;
    ShowWindow(window_, showCommand);  // returns the earlier visibility, not an error
    return UpdateWindow(window_) != FALSE;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        return OnCreate() ? 0 : -1;
      case WM_COMMAND:
        if (LOWORD(wParam) == FLOOR_IDM_ABOUT) openAbout_(instance_, program_);
        if (LOWORD(wParam) == FLOOR_IDM_EXIT) DestroyWindow(window_);
        return 0;
      case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_NCDESTROY: {
        HWND window = std::exchange(window_, nullptr);
        program_.Remove(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
      }
      default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
  }

  bool OnCreate() {
    program_.Add(window_);
    const UINT dpi = WindowDpi(window_);
    if (!fill_(instance_, window_, dpi, font_)) return false;
    // A window without its icons still works.
    static_cast<void>(icons_.Set(instance_, window_, dpi));
    return CentreWindow(window_, {Pixels(kMainClientWidth, dpi), Pixels(kMainClientHeight, dpi)}, kMainFrame, dpi);
  }

  // The read-only information line draws on the tooltip colours, as in
  // Zenthra; everything else on the defaults.
  LRESULT OnCtlColorStatic(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != kInfoLineId || SetBkColor(dc, GetSysColor(COLOR_INFOBK)) == CLR_INVALID ||
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT)) == CLR_INVALID)
      return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(control));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));  // system brush, never freed
  }

  HINSTANCE instance_;
  FillWindow fill_;
  OpenAbout openAbout_;
  FloorProgram& program_;
  HWND window_ = nullptr;
  UniqueFont font_;  // what the controls draw with, if the floor has any
  CaptionIcons icons_;
};

}  // namespace

int Pixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

RECT Pixels(const TwipsRect& rect, UINT dpi) {
  const int left = Pixels(rect.left, dpi);
  const int top = Pixels(rect.top, dpi);
  return {left, top, left + Pixels(rect.width, dpi), top + Pixels(rect.height, dpi)};
}

UINT SystemDpi() {
  using GetForSystem = UINT(WINAPI*)();
  static const auto get = User32Function<GetForSystem>("GetDpiForSystem");
  UINT dpi = get ? get() : 0;
  if (dpi == 0) {
    HDC screen = GetDC(nullptr);
    const int logPixels = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    dpi = logPixels > 0 ? static_cast<UINT>(logPixels) : USER_DEFAULT_SCREEN_DPI;
  }
  return ClampDpi(dpi);
}

UINT WindowDpi(HWND window) {
  using GetForWindow = UINT(WINAPI*)(HWND);
  static const auto get = User32Function<GetForWindow>("GetDpiForWindow");
  const UINT dpi = get ? get(window) : 0;
  return dpi != 0 ? ClampDpi(dpi) : SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
  using GetMetric = int(WINAPI*)(int, UINT);
  static const auto get = User32Function<GetMetric>("GetSystemMetricsForDpi");
  if (get) return get(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

UniqueFont CreateLayoutFont(UINT dpi) {
  const int charHeight = MulDiv(kFontHundredthsOfPoint, static_cast<int>(dpi), kHundredthsOfPointPerInch);
  UniqueFont font = CreateFace(kFontFace, charHeight, OUT_DEFAULT_PRECIS);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return font;
  std::array<wchar_t, LF_FACESIZE> face{};
  int realized = 0;
  // A bitmap size more than a pixel off the size asked for (taller would cut
  // captions off, smaller would be too small to read) gives way to a
  // scalable face.
  if (font && Realize(dc, font.get(), face, realized) && (realized > charHeight + 1 || realized < charHeight - 1)) {
    for (const wchar_t* scalable : kScalableFaces) {
      UniqueFont candidate = CreateFace(scalable, charHeight, OUT_TT_PRECIS);
      if (candidate && Realize(dc, candidate.get(), face, realized) && std::wstring_view(face.data()) == scalable) {
        font = std::move(candidate);
        break;
      }
    }
  }
  DeleteDC(dc);
  return font;
}

bool CaptionIcons::Set(HINSTANCE instance, HWND window, UINT dpi) {
  UniqueIcon big = LoadIconSized(instance, SM_CXICON, dpi);
  UniqueIcon small = LoadIconSized(instance, SM_CXSMICON, dpi);
  if (!big || !small) return false;
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  big_ = std::move(big);
  small_ = std::move(small);
  return true;
}

bool CentredFrame(HMONITOR monitor, SIZE client, const Frame& frame, UINT dpi, RECT& place) {
  RECT outer{0, 0, client.cx, client.cy};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!AdjustFrame(outer, frame, dpi) || !GetMonitorInfoW(monitor, &info)) return false;
  const RECT& work = info.rcWork;
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  const LONG left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
  const LONG top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
  place = {left, top, left + width, top + height};
  return true;
}

bool CentreWindow(HWND window, SIZE client, const Frame& frame, UINT dpi) {
  RECT place{};
  return CentredFrame(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), client, frame, dpi, place) &&
         SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                      SWP_NOZORDER | SWP_NOACTIVATE);
}

void FloorProgram::Add(HWND window) {
  for (HWND& slot : windows_) {
    if (slot == window) return;
    if (!slot) {
      slot = window;
      return;
    }
  }
}

void FloorProgram::Remove(HWND window) {
  const auto found = std::ranges::find(windows_, window);
  if (found == windows_.end()) return;
  std::shift_left(found, windows_.end(), 1);
  windows_.back() = nullptr;
  if (!windows_.front()) PostQuitMessage(0);
}

HWND FloorProgram::Find(const wchar_t* windowClass) const {
  std::array<wchar_t, 256> name{};
  for (HWND window : windows_) {
    if (window && GetClassNameW(window, name.data(), static_cast<int>(name.size())) > 0 &&
        std::wstring_view(name.data()) == windowClass)
      return window;
  }
  return nullptr;
}

int FloorProgram::RunMessageLoop() {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    const auto owner = std::ranges::find_if(windows_, [&message](HWND window) {
      return window && (message.hwnd == window || IsChild(window, message.hwnd));
    });
    if (owner != windows_.end() && IsDialogMessageW(*owner, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool LeaveEmpty(HINSTANCE, HWND, UINT, UniqueFont&) { return true; }

// Its class has only the default window procedure: the system destroys it
// on WM_CLOSE.
void OpenEmptyAboutWindow(HINSTANCE instance, FloorProgram&) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);        // shared system cursor
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);  // system brush, never freed
  windowClass.lpszClassName = kEmptyAboutClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;

  HWND about = CreateWindowExW(kAboutFrame.exStyle, kEmptyAboutClass, L"About", kAboutFrame.style, CW_USEDEFAULT,
                               CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!about) return;
  const UINT dpi = WindowDpi(about);
  if (!CentreWindow(about, {Pixels(kAboutClientWidth, dpi), Pixels(kAboutClientHeight, dpi)}, kAboutFrame, dpi)) {
    DestroyWindow(about);
    return;
  }
  ShowWindow(about, SW_SHOWNORMAL);  // returns the earlier visibility, not an error
  SetForegroundWindow(about);
}

int RunFloor(HINSTANCE instance, int showCommand, FillWindow fill, OpenAbout openAbout) {
  FloorProgram program;
  MainWindow window(instance, fill, openAbout, program);
  if (!window.Create(showCommand)) return 1;
  return program.RunMessageLoop();
}

}  // namespace floor_bench
