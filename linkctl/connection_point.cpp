#include "connection_point.h"

#include <olectl.h>
#include <wrl/client.h>

#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {

ConnectionPoint::ConnectionPoint(IUnknown& control, const IID& sinkInterface) noexcept
    : ContainedComObject(control), sinkInterface_(sinkInterface) {}

IFACEMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  RETURN_HR_IF_NULL(E_POINTER, iid);
  *iid = sinkInterface_;
  return S_OK;
}

IFACEMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  RETURN_HR_IF_NULL(E_POINTER, container);
  return Container().QueryInterface(IID_PPV_ARGS(container));
}

IFACEMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  RETURN_HR_IF_NULL(E_POINTER, cookie);
  *cookie = 0;
  RETURN_HR_IF_NULL(E_POINTER, sink);
  ComPtr<IUnknown> typedSink;
  RETURN_HR_IF(CONNECT_E_CANNOTCONNECT,
               FAILED(sink->QueryInterface(sinkInterface_, reinterpret_cast<void**>(typedSink.GetAddressOf()))));
  return sinks_.Add(typedSink.Get(), *cookie);
}

IFACEMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) { return sinks_.Remove(cookie) ? S_OK : CONNECT_E_NOCONNECTION; }

IFACEMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

void ConnectionPoint::NotifyChanged(DISPID dispatchId) {
  // A sink may advise or unadvise from inside OnChanged, so the round
  // keeps no place in the list, only the last cookie it called, and
  // holds a reference to the sink it calls. A sink that connects during
  // the round waits for the next one; one that leaves is not called.
  const DWORD roundEnd = sinks_.NextCookie();
  DWORD cookie = 0;
  ComPtr<IUnknown> sink;
  while (sinks_.FindAfter(cookie, cookie, sink) && cookie < roundEnd) {
    // Stored as the queried IPropertyNotifySink pointer (see Advise).
    LOG_IF_FAILED(static_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(dispatchId));
  }
}

}  // namespace tessarel
