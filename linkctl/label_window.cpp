// Window class of the control: painting, the pointing-hand cursor and the
// click. The window keeps no state but a borrowed pointer to its control.
#include "label_window.h"

#include "module.h"
#include "resource_ids.h"

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
  if (RegisterClassExW(&windowClass) != 0) {
    return S_OK;
  }
  const DWORD error = GetLastError();
  return error == ERROR_CLASS_ALREADY_EXISTS ? S_OK : HRESULT_FROM_WIN32(error);
}

}  // namespace

HRESULT CreateLabelWindow(HWND parent, const RECT& position, LabelWindowEvents* events, win32::UniqueHwnd& window) {
  if (parent == nullptr || events == nullptr) {
    return E_INVALIDARG;
  }
  HRESULT hr = EnsureWindowClass();
  if (FAILED(hr)) {
    return hr;
  }
  window.reset(CreateWindowExW(0, kWindowClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, position.left,
                               position.top, position.right - position.left, position.bottom - position.top, parent,
                               nullptr, ModuleHandle(), events));
  if (!window) {
    return HRESULT_FROM_WIN32(GetLastError());
  }
  return S_OK;
}

void UnregisterLabelWindowClass() noexcept { UnregisterClassW(kWindowClassName, ModuleHandle()); }

}  // namespace tessarel
