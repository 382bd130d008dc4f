// One connection point of the control. It lives inside the control and
// forwards its reference counts there, so it never outlives it.
#pragma once

#include "sink_list.h"

#include <ocidl.h>

namespace tessarel {

class ConnectionPoint final : public IConnectionPoint {
 public:
  // owner and container are borrowed: both are the control that embeds
  // this connection point.
  ConnectionPoint(IUnknown* owner, IConnectionPointContainer* container, const IID& sinkInterface) noexcept;
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;
  ~ConnectionPoint() = default;

  // IUnknown
  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;
  // IConnectionPoint
  IFACEMETHODIMP GetConnectionInterface(IID* iid) override;
  IFACEMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  IFACEMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  IFACEMETHODIMP Unadvise(DWORD cookie) override;
  IFACEMETHODIMP EnumConnections(IEnumConnections** connections) override;

  const IID& SinkInterface() const noexcept { return sinkInterface_; }

  // Calls each connected IPropertyNotifySink::OnChanged in the order the
  // sinks connected; the first failure stops the round and is returned.
  // Only for the property notification point.
  HRESULT NotifyChanged(DISPID dispatchId);

  void DisconnectAll() noexcept { sinks_.Clear(); }

 private:
  IUnknown* owner_;                       // borrowed, see constructor
  IConnectionPointContainer* container_;  // borrowed, see constructor
  IID sinkInterface_;
  SinkList sinks_;  // each queried for sinkInterface_ (see Advise)
};

}  // namespace tessarel
