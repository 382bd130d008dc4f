#pragma once
// What the three floor programs share: their resource ids, the conversion
// of twips to pixels at a window's DPI, the layout font, the caption icons,
// the main window (Zenthra's client size, frame and menu bar, with nothing
// behind them) and the message loop. Written for the floors alone, with
// the Windows API only: no code, header or library of the program, so that
// nothing the program does at start can slow the floors down with it.
//
// The floors tell nobody of a failure: one at start ends the program with
// exit code 1, which the driver counts as a failed start; one in a part of
// a window leaves that part out.

// Resource ids, read by the resource compiler too. The menu commands have
// the numbers of Zenthra's menu, which the driver sends Help > About by.
#define FLOOR_ICON 1
#define FLOOR_MENU 101
#define FLOOR_ABOUT_PICTURE 102
#define FLOOR_IDM_EXIT 201
#define FLOOR_IDM_ABOUT 202
#define FLOOR_IDM_OPEN 203
#define FLOOR_IDM_SAVE 204
#define FLOOR_IDM_SAVE_AS 205

#ifndef RC_INVOKED

#include <windows.h>

#include <array>
#include <memory>
#include <type_traits>

namespace floor_bench {

inline constexpr int kTwipsPerInch = 1440;

// A place in twips from the top-left corner of a client area.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

int Pixels(int twips, UINT dpi);
// The right and bottom edges are the converted left and top plus the
// converted size.
RECT Pixels(const TwipsRect& rect, UINT dpi);

// The DPI the window is drawn at, or the system's where the system has no
// per-monitor DPI; from 96 to 960 DPI, as the program takes it.
UINT WindowDpi(HWND window);
UINT SystemDpi();
// A system metric at `dpi`.
int SystemMetric(int index, UINT dpi);

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// 8.25 point MS Sans Serif at `dpi`. Where that bitmap face has no size
// small enough (it rounds to the nearest it has), a scalable face of the
// size: Microsoft Sans Serif, then Tahoma. nullptr if none can be made.
UniqueFont CreateLayoutFont(UINT dpi);

// The window's caption icons (FLOOR_ICON) at the sizes for `dpi`.
class CaptionIcons {
 public:
  bool Set(HINSTANCE instance, HWND window, UINT dpi);

 private:
  UniqueIcon big_;
  UniqueIcon small_;
};

// A window's frame styles.
struct Frame {
  DWORD style;
  DWORD exStyle;
  bool hasMenu;
};

// The frame of a window of `frame` with a client area of `client` pixels
// at `dpi`, centred on the work area of `monitor` (its top-left corner kept
// on a work area too small for it).
bool CentredFrame(HMONITOR monitor, SIZE client, const Frame& frame, UINT dpi, RECT& place);
// Moves and sizes `window` to that frame on its monitor.
bool CentreWindow(HWND window, SIZE client, const Frame& frame, UINT dpi);

// The About dialog's frame and client area, for the floors' stand-ins.
inline constexpr Frame kAboutFrame{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                   WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, false};
inline constexpr int kAboutClientWidth = 5730;
inline constexpr int kAboutClientHeight = 3555;

// The program's top-level windows: it runs until the last is gone, and each
// gets the dialog keyboard handling (Tab, Enter, Esc, access keys).
class FloorProgram {
 public:
  void Add(HWND window);
  void Remove(HWND window);
  HWND Find(const wchar_t* windowClass) const;
  int RunMessageLoop();

 private:
  std::array<HWND, 4> windows_{};
};

// Fills the new main window with what the floor shows, during WM_CREATE at
// the window's DPI; false fails the creation. `font` receives the font the
// controls draw with, if any: the window keeps it while it exists.
using FillWindow = bool (*)(HINSTANCE instance, HWND window, UINT dpi, UniqueFont& font);

// Help > About: opens the floor's stand-in for the About dialog, or brings
// an open one forward. A stand-in added to `program` keeps the program
// running while it is open, as Zenthra's dialog does.
using OpenAbout = void (*)(HINSTANCE instance, FloorProgram& program);

// Nothing: the empty floor's FillWindow.
bool LeaveEmpty(HINSTANCE instance, HWND window, UINT dpi, UniqueFont& font);

// Zenthra's main window controls in their start states, places and font:
// the same window classes, styles, texts and twips, created in the same
// order; a level box's closed height is the layout's. Nothing behind them.
bool FillWithControls(HINSTANCE instance, HWND window, UINT dpi, UniqueFont& font);
// The id of the information line among those controls, which draws on
// the tooltip colours.
inline constexpr int kInfoLineId = 1099;
// Registers the control classes Zenthra registers before its window.
bool InitStandardControls();

// The plainest stand-in: an empty window of the dialog's frame and client
// size, shown and brought forward. It goes with the process.
void OpenEmptyAboutWindow(HINSTANCE instance, FloorProgram& program);

// Creates and shows the main window, centred, with its caption icons, then
// runs the message loop until the program's windows are gone. Returns the
// exit code.
int RunFloor(HINSTANCE instance, int showCommand, FillWindow fill, OpenAbout openAbout);

}  // namespace floor_bench

#endif  // RC_INVOKED
