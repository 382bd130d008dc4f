#pragma once
// Watches the label's font object for attribute changes (size, bold, ...)
// so that the label redraws at once. Such changes are not reported to the
// host: only the property setters do that.

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace tessarel {

class FontChangeListener {
 public:
  virtual void OnFontChanged() = 0;

 protected:
  ~FontChangeListener() = default;
};

class FontWatch {
 public:
  FontWatch();
  FontWatch(const FontWatch&) = delete;
  FontWatch& operator=(const FontWatch&) = delete;
  ~FontWatch();

  // Starts watching font (replacing any earlier one). listener is
  // borrowed and must stay valid until Stop or destruction.
  HRESULT Watch(IFont* font, FontChangeListener* listener);
  void Stop() noexcept;

 private:
  class Sink;
  Microsoft::WRL::ComPtr<IConnectionPoint> point_;
  Microsoft::WRL::ComPtr<Sink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace tessarel
