// One owning RAII type per handle kind. Each closes its handle exactly
// once, on destruction or reset; release() hands ownership to the caller.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <utility>

namespace tessarel {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Invalid; }
  Handle* put() noexcept {
    reset();
    return &handle_;
  }
  Handle release() noexcept { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (old != Invalid) {
      Close(old);
    }
  }

 private:
  Handle handle_ = Invalid;
};

inline void CloseRegKey(HKEY key) noexcept { RegCloseKey(key); }
inline void DestroyWindowHandle(HWND window) noexcept { DestroyWindow(window); }
inline void DeleteGdiObject(HGDIOBJ object) noexcept { DeleteObject(object); }
inline void DeleteDeviceContext(HDC dc) noexcept { DeleteDC(dc); }
inline void FreeBstr(BSTR text) noexcept { SysFreeString(text); }
inline void UnloadModule(HMODULE module) noexcept { FreeLibrary(module); }
inline void CloseKernelHandle(HANDLE handle) noexcept { CloseHandle(handle); }
inline void FreeProcessHeapMemory(void* memory) noexcept { HeapFree(GetProcessHeap(), 0, memory); }

using UniqueHkey = UniqueHandle<HKEY, CloseRegKey>;
using UniqueHwnd = UniqueHandle<HWND, DestroyWindowHandle>;
using UniqueHbitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDeviceContext>;
using UniqueBstr = UniqueHandle<BSTR, FreeBstr>;
using UniqueHmodule = UniqueHandle<HMODULE, UnloadModule>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
// Memory from HeapAlloc(GetProcessHeap(), ...), seen as an array of T.
template <typename T>
using UniqueHeapArray = UniqueHandle<T*, FreeProcessHeapMemory>;

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

// Restores a selected GDI object into its device context on scope exit.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
  }

 private:
  HDC dc_;            // borrowed: the caller's device context
  HGDIOBJ previous_;  // borrowed: owned by whoever selected it before
};

// Takes over the reference that `new` gave a COM object. (The toolchain's
// ComPtr::Attach adds a reference of its own, so it cannot be used for this.)
template <typename T>
Microsoft::WRL::ComPtr<T> AdoptComPtr(T* raw) noexcept {
  Microsoft::WRL::ComPtr<T> owner;
  *owner.GetAddressOf() = raw;
  return owner;
}

}  // namespace tessarel
