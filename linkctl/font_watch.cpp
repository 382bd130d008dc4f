#include "font_watch.h"

#include "module.h"
#include "win32/com_object.h"
#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

// The sink has a reference count of its own: the font holds it, and if it
// held the control instead, control and font would keep each other alive.
class FontWatch::Sink final : public win32::ComObject<Sink, IPropertyNotifySink> {
 public:
  explicit Sink(FontChangeListener* listener) noexcept : listener_(listener) {}

  void Detach() noexcept { listener_ = nullptr; }

  IFACEMETHODIMP OnChanged(DISPID) override {
    if (listener_ != nullptr) listener_->OnFontChanged();
    return S_OK;
  }
  // The label accepts every font change, as a label does.
  IFACEMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

 private:
  ModuleObjectCount objectCount_;
  FontChangeListener* listener_;  // borrowed, cleared by Detach
};

FontWatch::FontWatch() = default;

FontWatch::~FontWatch() { Stop(); }

HRESULT FontWatch::Watch(IFont* font, FontChangeListener* listener) {
  Stop();
  RETURN_HR_IF(E_INVALIDARG, font == nullptr || listener == nullptr);
  ComPtr<IConnectionPointContainer> container;
  RETURN_IF_FAILED(font->QueryInterface(IID_PPV_ARGS(&container)));
  ComPtr<IConnectionPoint> point;
  RETURN_IF_FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point));
  ComPtr<Sink> sink = win32::MakeComObject<Sink>(listener);
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, sink);
  DWORD cookie = 0;
  const HRESULT hr = point->Advise(sink.Get(), &cookie);
  if (FAILED(hr)) {
    // The point may have kept a reference anyway: the sink must not call
    // the listener, which may go before it.
    sink->Detach();
    return hr;
  }
  point_ = std::move(point);
  sink_ = std::move(sink);
  cookie_ = cookie;
  return S_OK;
}

void FontWatch::Stop() noexcept {
  if (sink_ != nullptr) sink_->Detach();
  if (point_ != nullptr) point_->Unadvise(cookie_);  // failure leaves only a detached sink behind
  point_.Reset();
  sink_.Reset();
  cookie_ = 0;
}

}  // namespace tessarel
