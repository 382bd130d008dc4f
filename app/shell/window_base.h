#pragma once
// The plumbing of the program's windows, after the BaseWindow pattern: one
// static window procedure finds the object behind a window in the window's
// GWLP_USERDATA (stored at WM_NCCREATE, cleared at WM_NCDESTROY) and hands
// it each message; the window class is registered with that procedure.
//
// Derived provides, and befriends its WindowBase if they are private:
//   static constexpr const wchar_t* kClassName;   its window class
//   LRESULT HandleMessage(UINT, WPARAM, LPARAM);   every message after WM_NCCREATE
//                                                  but the last
//   void OnNcDestroy();                            WM_NCDESTROY, with Window() still set

#include <windows.h>

#include <array>
#include <memory>
#include <string_view>
#include <type_traits>

namespace zenthra::shell {

// Who owns the object behind a window. Part of the window's type, so that
// each window says where it stands.
enum class Owner {
  // Whoever made the object. The object outlives its window: it destroys a
  // window that still exists before it goes.
  Caller,
  // The window. It takes the object over at WM_NCCREATE and deletes it right
  // after OnNcDestroy.
  Window,
};

// What a window is when it is nothing else besides.
struct NoInterface {};

// Where CreateWindowExW puts a new window.
struct WindowPlace {
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
};

struct WindowSetup {
  HBRUSH background;    // of the class: a system brush or COLOR_* + 1, never freed
  const wchar_t* menu;  // of the class: a menu resource, or nullptr
  DWORD style;
  DWORD exStyle;
  const wchar_t* caption;
  WindowPlace place;
};

// `Interface` is what Derived implements besides being a window (the main
// window: the force rules' ForceWindow). It comes in here rather than as a
// second base of Derived, which would need the C++ runtime's type
// information for multiple inheritance: some 3 KiB of the program file.
template <typename Derived, Owner kOwner, typename Interface = NoInterface>
class WindowBase : public Interface {
 public:
  // How the object reaches its new window: borrowed from the caller, or
  // handed over to the window.
  using Handover = std::conditional_t<kOwner == Owner::Window, std::unique_ptr<Derived>, Derived*>;

  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Borrowed; nullptr before WM_NCCREATE and after WM_NCDESTROY.
  HWND Window() const noexcept { return window_; }

  // The object behind a window of Derived's class (borrowed), or nullptr.
  static Derived* FromWindow(HWND window) noexcept {
    std::array<wchar_t, 64> name{};
    if (!window || !GetClassNameW(window, name.data(), static_cast<int>(name.size())) ||
        std::wstring_view(name.data()) != Derived::kClassName)
      return nullptr;
    return reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }

 protected:
  WindowBase() noexcept = default;
  ~WindowBase() = default;

  // Registers Derived's window class (a class already registered serves)
  // and creates the window for `object`. nullptr, with the thread's last
  // error, when either fails or WM_CREATE refuses; an object handed over is
  // then gone as well.
  static HWND CreateWindowOf(Handover object, HINSTANCE instance, const WindowSetup& setup) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);  // shared system cursor
    windowClass.hbrBackground = setup.background;
    windowClass.lpszMenuName = setup.menu;
    windowClass.lpszClassName = Derived::kClassName;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    // Until WM_NCCREATE takes it over, an object handed over stays owned
    // here, so that a window that is never made does not leak it.
    void* parameter = nullptr;
    if constexpr (kOwner == Owner::Window)
      parameter = &object;
    else
      parameter = object;
    return CreateWindowExW(setup.exStyle, Derived::kClassName, setup.caption, setup.style, setup.place.x, setup.place.y,
                           setup.place.width, setup.place.height, nullptr, nullptr, instance, parameter);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      void* parameter = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
      if constexpr (kOwner == Owner::Window)
        self = static_cast<Handover*>(parameter)->release();
      else
        self = static_cast<Derived*>(parameter);
      static_cast<WindowBase*>(self)->window_ = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);

    self->OnNcDestroy();
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    static_cast<WindowBase*>(self)->window_ = nullptr;
    if constexpr (kOwner == Owner::Window) delete self;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;  // borrowed: the window's lifetime is the caller's or its own
};

}  // namespace zenthra::shell
