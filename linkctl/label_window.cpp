#include "label_window.h"

// Window class of the control: painting with the focus rectangle, the
// pointing-hand cursor, the click, the keys of a link, the context menu
// request, the accessibility object and the font it draws with. The window keeps a borrowed
// pointer to its control and, while a click gives it the focus, one flag.

#include <oleacc.h>
#include <windowsx.h>

#include "module.h"
#include "resource_ids.h"
#include "win32/result.h"

namespace tessarel {
namespace {

constexpr wchar_t kWindowClassName[] = L"TessarelLinkLabel";
// Private to the class: open the link now (see PostLabelClick).
constexpr UINT kOpenLinkMessage = WM_USER + 1;
// Window extra bytes: nonzero while a click is giving the window the focus.
constexpr int kFocusingByMouse = 0;

LabelWindowEvents* EventsOf(HWND window) {
  return reinterpret_cast<LabelWindowEvents*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool PointInClient(HWND window, LPARAM lParam) {
  RECT client{};
  if (!GetClientRect(window, &client)) return false;
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, point) != FALSE;
}

// The focus rectangle shows while the window has the focus, unless the
// host hides keyboard cues (the user has not used the keyboard yet).
bool ShowsFocus(HWND window) {
  return GetFocus() == window && (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// Where the menu opens: at the mouse, or for Shift+F10 and the menu key
// (lParam -1) below the top-left corner of the window.
POINT ContextMenuPoint(HWND window, LPARAM lParam) {
  POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (point.x == -1 && point.y == -1) {
    RECT client{};
    GetClientRect(window, &client);  // an empty rectangle on failure: the corner then
    point = POINT{client.left, client.bottom};
    ClientToScreen(window, &point);
  }
  return point;
}

void OnFocusChange(HWND window, LabelWindowEvents& events, bool gained) {
  InvalidateRect(window, nullptr, FALSE);  // the focus rectangle comes or goes
  if (gained) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, CHILDID_SELF);
  events.OnLabelFocus(gained, GetWindowLongPtrW(window, kFocusingByMouse) != 0);
}

// The handlers of the window's messages. Each runs without its control
// too (events null), which a window detached from it may meet.

void Paint(HWND window, LabelWindowEvents* events) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  if (dc != nullptr && GetClientRect(window, &client) && events != nullptr)
    events->OnPaintLabel(dc, client, ShowsFocus(window));
  EndPaint(window, &paint);
}

// The pointing hand over the client area; false where the default applies.
bool ShowHandCursor(LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  // Shared resource cursor: the system owns it.
  HCURSOR hand = LoadCursorW(ModuleHandle(), MAKEINTRESOURCEW(IDC_POINTING_HAND));
  if (hand == nullptr) return false;
  SetCursor(hand);
  return true;
}

void PressMouse(HWND window) {
  if (GetFocus() != window) {
    SetWindowLongPtrW(window, kFocusingByMouse, 1);
    SetFocus(window);
    SetWindowLongPtrW(window, kFocusingByMouse, 0);
  }
  SetCapture(window);
}

// A click is a press and a release on the window, as on a label.
void ReleaseMouse(HWND window, LabelWindowEvents* events, LPARAM lParam) {
  const bool pressedHere = GetCapture() == window;
  if (pressedHere) ReleaseCapture();
  if (pressedHere && PointInClient(window, lParam) && events != nullptr) events->OnLabelClick();
}

// Enter opens the link, so a dialog's default button must not take it
// while the link has the focus.
LRESULT DialogCode(HWND window, LPARAM lParam) {
  const auto* key = reinterpret_cast<const MSG*>(lParam);
  const bool enter = key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                     key->wParam == VK_RETURN && GetFocus() == window;
  return enter ? DLGC_WANTMESSAGE : 0;
}

// The control's own accessibility object; 0 where the system's standard one
// answers instead.
LRESULT AccessibleObject(LabelWindowEvents* events, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT || events == nullptr) return 0;
  const LRESULT object = events->OnLabelGetObject(wParam);
  return object > 0 ? object : 0;
}

LRESULT CALLBACK LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LabelWindowEvents* events = EventsOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
      break;
    case WM_NCDESTROY:
      DetachLabelWindow(window);
      break;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      Paint(window, events);
      return 0;
    case WM_SETCURSOR:
      if (ShowHandCursor(lParam)) return TRUE;
      break;
    case WM_MOUSEMOVE:
      if (events != nullptr)
        events->OnLabelMouseMove(MSG{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}});
      return 0;
    case WM_LBUTTONDOWN:
      PressMouse(window);
      return 0;
    case WM_LBUTTONUP:
      ReleaseMouse(window, events, lParam);
      return 0;
    case WM_KEYDOWN:
      if (!IsOpeningKey(MSG{window, message, wParam, lParam, 0, {}})) break;
      [[fallthrough]];
    case kOpenLinkMessage:
      if (events != nullptr) events->OnLabelClick();
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(window, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (events != nullptr) OnFocusChange(window, *events, message == WM_SETFOCUS);
      return 0;
    case WM_UPDATEUISTATE:
      // The host shows or hides keyboard cues: the focus rectangle follows.
      DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_CONTEXTMENU:
      if (events != nullptr) events->OnLabelContextMenu(ContextMenuPoint(window, lParam));
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT object = AccessibleObject(events, wParam, lParam)) return object;
      break;
    case WM_GETFONT:
      return events != nullptr ? reinterpret_cast<LRESULT>(events->OnLabelGetFont()) : 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT EnsureWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = LabelWindowProc;
  windowClass.cbWndExtra = sizeof(LONG_PTR);  // kFocusingByMouse
  windowClass.hInstance = ModuleHandle();
  windowClass.lpszClassName = kWindowClassName;
  // A class that an earlier control registered is this same one.
  RETURN_LAST_ERROR_IF(RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS);
  return S_OK;
}

}  // namespace

HRESULT CreateLabelWindow(HWND parent, const RECT& position, LabelWindowEvents* events, win32::UniqueHwnd& window) {
  RETURN_HR_IF(E_INVALIDARG, parent == nullptr || events == nullptr);
  RETURN_IF_FAILED(EnsureWindowClass());
  window.reset(CreateWindowExW(0, kWindowClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                               position.left, position.top, position.right - position.left,
                               position.bottom - position.top, parent, nullptr, ModuleHandle(), events));
  RETURN_LAST_ERROR_IF(!window);
  return S_OK;
}

void DetachLabelWindow(HWND window) noexcept { SetWindowLongPtrW(window, GWLP_USERDATA, 0); }

bool IsOpeningKey(const MSG& message) noexcept {
  constexpr LPARAM kPreviouslyDown = LPARAM{1} << 30;
  return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_SPACE) &&
         (message.lParam & kPreviouslyDown) == 0;
}

HRESULT PostLabelClick(HWND window) {
  RETURN_LAST_ERROR_IF(!PostMessageW(window, kOpenLinkMessage, 0, 0));
  return S_OK;
}

void UnregisterLabelWindowClass() noexcept { UnregisterClassW(kWindowClassName, ModuleHandle()); }

}  // namespace tessarel
