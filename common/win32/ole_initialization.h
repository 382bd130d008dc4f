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

}  // namespace win32
