// Window class of the control: painting, the pointing-hand cursor and the
// click. The window keeps no state but a borrowed pointer to its control.
#include "label_window.h"

#include "module.h"
#include "resource_ids.h"
#include "win32/result.h"

#include <windowsx.h>

namespace tessarel {
namespace {

constexpr wchar_t kWindowClassName[] = L"TessarelLinkLabel";

LabelWindowEvents* EventsOf(HWND window) {
  return reinterpret_cast<LabelWindowEvents*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool PointInClient(HWND window, LPARAM lParam) {
  RECT client{};
  if (!GetClientRect(window, &client)) {
    return false;
  }
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, point) != FALSE;
}

LRESULT CALLBACK LabelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      RECT client{};
      if (dc != nullptr && GetClientRect(window, &client)) {
        if (LabelWindowEvents* events = EventsOf(window)) {
          events->OnPaintLabel(dc, client);
        }
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        // Shared resource cursor: the system owns it.
        if (HCURSOR hand = LoadCursorW(ModuleHandle(), MAKEINTRESOURCEW(IDC_POINTING_HAND))) {
          SetCursor(hand);
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release on the window, as on a label.
      const bool pressedHere = GetCapture() == window;
      if (pressedHere) {
        ReleaseCapture();
      }
      if (pressedHere && PointInClient(window, lParam)) {
        if (LabelWindowEvents* events = EventsOf(window)) {
          events->OnLabelClick();
        }
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT EnsureWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = LabelWindowProc;
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
  window.reset(CreateWindowExW(0, kWindowClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, position.left,
                               position.top, position.right - position.left, position.bottom - position.top, parent,
                               nullptr, ModuleHandle(), events));
  RETURN_LAST_ERROR_IF(!window);
  return S_OK;
}

void UnregisterLabelWindowClass() noexcept { UnregisterClassW(kWindowClassName, ModuleHandle()); }

}  // namespace tessarel
