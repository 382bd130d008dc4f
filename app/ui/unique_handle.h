#pragma once
// One owning type per handle kind: the handle is released exactly once, with
// the function that its kind needs, when its owner goes. Raw handles
// elsewhere are borrowed.

#include <windows.h>

#include <utility>

namespace zenthra::ui {

template <typename Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }

  // For functions that hand out a new handle through an out-parameter.
  Handle* put() {
    reset();
    return &handle_;
  }

  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Release(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

inline void releaseFont(HFONT font) { DeleteObject(font); }
inline void releaseIcon(HICON icon) { DestroyIcon(icon); }

using UniqueFont = UniqueHandle<HFONT, releaseFont>;
// Only for icons the program loaded itself, never for LR_SHARED ones.
using UniqueIcon = UniqueHandle<HICON, releaseIcon>;

}  // namespace zenthra::ui
