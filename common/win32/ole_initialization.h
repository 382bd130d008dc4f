#pragma once
// OLE on the calling thread for as long as this object lives: initialised
// when it is made, and uninitialised when it goes only if that succeeded.

#include <ole2.h>

namespace win32 {

class OleInitialization {
 public:
  OleInitialization() noexcept : result_(OleInitialize(nullptr)) {}
  OleInitialization(const OleInitialization&) = delete;
  OleInitialization& operator=(const OleInitialization&) = delete;
  ~OleInitialization() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }

  HRESULT Result() const noexcept { return result_; }

 private:
  HRESULT result_;
};

// OLE on the calling thread from the first call until the thread ends, for
// what needs it only on first use (a screen reader's request, a dialog that
// hosts controls). Initialising it for good, rather than for each use, keeps
// a control library that OLE loaded from being unloaded under its windows
// when the last user uninitialises. Returns OleInitialize's result.
inline HRESULT KeepOleForThisThread() noexcept {
  thread_local const OleInitialization ole;
  return ole.Result();
}

}  // namespace win32
