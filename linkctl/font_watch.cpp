#include "font_watch.h"

#include "module.h"
#include "win32/com_object.h"
#include "win32/unique_handle.h"

#include <atomic>

using Microsoft::WRL::ComPtr;

namespace tessarel {

// The sink has a reference count of its own: the font holds it, and if it
// held the control instead, control and font would keep each other alive.
class FontWatch::Sink final : public IPropertyNotifySink {
 public:
  explicit Sink(FontChangeListener* listener) noexcept : listener_(listener) { AddObjectRef(); }
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;

  void Detach() noexcept { listener_ = nullptr; }

  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) {
      *object = static_cast<IPropertyNotifySink*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  IFACEMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  IFACEMETHODIMP_(ULONG) Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) {
      delete this;
    }
    return remaining;
  }
  IFACEMETHODIMP OnChanged(DISPID) override {
    if (listener_ != nullptr) {
      listener_->OnFontChanged();
    }
    return S_OK;
  }
  // The label accepts every font change, as a label does.
  IFACEMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

 private:
  ~Sink() { ReleaseObjectRef(); }

  std::atomic<ULONG> references_{1};
  FontChangeListener* listener_;  // borrowed, cleared by Detach
};

FontWatch::FontWatch() = default;

FontWatch::~FontWatch() { Stop(); }

HRESULT FontWatch::Watch(IFont* font, FontChangeListener* listener) {
  Stop();
  if (font == nullptr || listener == nullptr) {
    return E_INVALIDARG;
  }
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = font->QueryInterface(IID_PPV_ARGS(&container));
  if (FAILED(hr)) {
    return hr;
  }
  ComPtr<IConnectionPoint> point;
  if (FAILED(hr = container->FindConnectionPoint(IID_IPropertyNotifySink, &point))) {
    return hr;
  }
  ComPtr<Sink> sink = win32::Adopt(new (std::nothrow) Sink(listener));
  if (sink == nullptr) {
    return E_OUTOFMEMORY;
  }
  DWORD cookie = 0;
  if (FAILED(hr = point->Advise(sink.Get(), &cookie))) {
    sink->Detach();
    return hr;
  }
  point_ = std::move(point);
  sink_ = std::move(sink);
  cookie_ = cookie;
  return S_OK;
}

void FontWatch::Stop() noexcept {
  if (sink_ != nullptr) {
    sink_->Detach();
  }
  if (point_ != nullptr) {
    point_->Unadvise(cookie_);  // failure leaves only a detached sink behind
  }
  point_.Reset();
  sink_.Reset();
  cookie_ = 0;
}

}  // namespace tessarel
