#include "connection_point.h"

#include <olectl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace tessarel {

ConnectionPoint::ConnectionPoint(IUnknown* owner, IConnectionPointContainer* container,
                                 const IID& sinkInterface) noexcept
    : owner_(owner), container_(container), sinkInterface_(sinkInterface) {}

IFACEMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

IFACEMETHODIMP_(ULONG) ConnectionPoint::AddRef() { return owner_->AddRef(); }
IFACEMETHODIMP_(ULONG) ConnectionPoint::Release() { return owner_->Release(); }

IFACEMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) {
    return E_POINTER;
  }
  *iid = sinkInterface_;
  return S_OK;
}

IFACEMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) {
    return E_POINTER;
  }
  *container = container_;
  container_->AddRef();
  return S_OK;
}

IFACEMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) {
    return E_POINTER;
  }
  *cookie = 0;
  if (sink == nullptr) {
    return E_POINTER;
  }
  ComPtr<IUnknown> typedSink;
  if (FAILED(sink->QueryInterface(sinkInterface_, reinterpret_cast<void**>(typedSink.GetAddressOf())))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  return sinks_.Add(typedSink.Get(), *cookie);
}

IFACEMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) { return sinks_.Remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION; }

IFACEMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) {
    *connections = nullptr;
  }
  return E_NOTIMPL;
}

HRESULT ConnectionPoint::NotifyChanged(DISPID dispatchId) {
  // A sink may advise or unadvise from inside OnChanged, so the round
  // keeps no place in the list, only the last cookie it called, and
  // holds a reference to the sink it calls. A sink that connects during
  // the round waits for the next one; one that leaves is not called.
  const DWORD roundEnd = sinks_.NextCookie();
  DWORD cookie = 0;
  ComPtr<IUnknown> sink;
  while (sinks_.FindAfter(cookie, cookie, sink) && cookie < roundEnd) {
    // Stored as the queried IPropertyNotifySink pointer (see Advise).
    auto* notifySink = static_cast<IPropertyNotifySink*>(sink.Get());
    HRESULT hr = notifySink->OnChanged(dispatchId);
    if (FAILED(hr)) {
      return hr;
    }
  }
  return S_OK;
}

}  // namespace tessarel
