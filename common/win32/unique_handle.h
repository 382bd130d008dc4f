#pragma once
// One owning type for every kind of handle: the handle is released exactly
// once, with the function its kind needs, when its owner goes or is reset.
// release() hands ownership to the caller. Raw handles elsewhere are
// borrowed and say so where they are stored.

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <utility>

namespace win32 {

template <typename Handle>
constexpr Handle NullHandle() noexcept {
  return Handle{};
}

inline HANDLE InvalidHandleValue() noexcept { return INVALID_HANDLE_VALUE; }

// `Close` releases a valid handle; `Invalid` gives the kind's "no handle"
// value (null for most, INVALID_HANDLE_VALUE for files and searches).
template <typename Handle, auto Close, Handle (*Invalid)() = NullHandle<Handle>>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Invalid(); }

  // For functions that hand out a new handle through an out-parameter.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }
  [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Invalid()); }
  // The new handle often comes straight from the call that made it, whose
  // last error the caller reads next: closing the old one keeps it.
  void reset(Handle handle = Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old == Invalid()) return;
    const DWORD lastError = GetLastError();
    Close(old);
    SetLastError(lastError);
  }

 private:
  Handle handle_ = Invalid();
};

namespace close {
inline void RegKey(HKEY key) noexcept { RegCloseKey(key); }
inline void Window(HWND window) noexcept { DestroyWindow(window); }
inline void GdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void MemoryDc(HDC dc) noexcept { DeleteDC(dc); }
inline void Icon(HICON icon) noexcept { DestroyIcon(icon); }
inline void Menu(HMENU menu) noexcept { DestroyMenu(menu); }
inline void Bstr(BSTR text) noexcept { SysFreeString(text); }
inline void Module(HMODULE module) noexcept { FreeLibrary(module); }
inline void KernelHandle(HANDLE handle) noexcept { CloseHandle(handle); }
inline void FindHandle(HANDLE search) noexcept { FindClose(search); }
inline void ProcessHeapMemory(void* memory) noexcept { HeapFree(GetProcessHeap(), 0, memory); }
inline void LocalMemory(void* memory) noexcept { LocalFree(memory); }
inline void Drop(HDROP drop) noexcept { DragFinish(drop); }
inline void GlobalMemory(HGLOBAL memory) noexcept { GlobalFree(memory); }
}  // namespace close

using UniqueHkey = UniqueHandle<HKEY, close::RegKey>;
using UniqueHwnd = UniqueHandle<HWND, close::Window>;
using UniqueHfont = UniqueHandle<HFONT, close::GdiObject>;
using UniqueHpen = UniqueHandle<HPEN, close::GdiObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, close::GdiObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, close::GdiObject>;
using UniqueHrgn = UniqueHandle<HRGN, close::GdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, close::MemoryDc>;
// Only for icons loaded without LR_SHARED: shared ones belong to the system.
using UniqueHicon = UniqueHandle<HICON, close::Icon>;
using UniqueHmenu = UniqueHandle<HMENU, close::Menu>;
using UniqueBstr = UniqueHandle<BSTR, close::Bstr>;
using UniqueHmodule = UniqueHandle<HMODULE, close::Module>;
// Processes, threads, events: kinds whose "no handle" is null.
using UniqueKernelHandle = UniqueHandle<HANDLE, close::KernelHandle>;
// Files: CreateFileW fails with INVALID_HANDLE_VALUE, not null.
using UniqueFile = UniqueHandle<HANDLE, close::KernelHandle, InvalidHandleValue>;
using UniqueFindHandle = UniqueHandle<HANDLE, close::FindHandle, InvalidHandleValue>;
// Memory from HeapAlloc(GetProcessHeap(), ...), seen as an array of T.
template <typename T>
using UniqueHeapArray = UniqueHandle<T*, close::ProcessHeapMemory>;
// Memory that a function hands out from LocalAlloc (CommandLineToArgvW,
// FormatMessageW with FORMAT_MESSAGE_ALLOCATE_BUFFER), seen as an array of T.
template <typename T>
using UniqueLocalArray = UniqueHandle<T*, close::LocalMemory>;
// The files of a WM_DROPFILES, which its receiver must finish.
using UniqueHdrop = UniqueHandle<HDROP, close::Drop>;
// Memory from GlobalAlloc, until handed to the clipboard (release()).
using UniqueHglobal = UniqueHandle<HGLOBAL, close::GlobalMemory>;

// A VARIANT that is cleared when it goes out of scope.
class UniqueVariant {
 public:
  UniqueVariant() noexcept { VariantInit(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  UniqueVariant& operator=(UniqueVariant&&) = delete;
  ~UniqueVariant() { VariantClear(&value_); }

  VARIANT* get() noexcept { return &value_; }
  const VARIANT* get() const noexcept { return &value_; }
  VARIANT* operator->() noexcept { return &value_; }
  const VARIANT* operator->() const noexcept { return &value_; }
  // Clears the old value first, for reuse as an [out] argument.
  VARIANT* put() noexcept {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

// Puts back the object that was selected into a device context before.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;            // borrowed: the caller's device context
  HGDIOBJ previous_;  // borrowed: owned by whoever selected it before
};

}  // namespace win32
