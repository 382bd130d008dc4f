#pragma once
// One connection point of the control. It lives inside the control and
// lends its reference counts there, so it never outlives it; it answers
// QueryInterface as an object of its own.

#include <ocidl.h>

#include "sink_list.h"
#include "win32/com_object.h"

namespace tessarel {

class ConnectionPoint final : public win32::ContainedComObject<ConnectionPoint, IConnectionPoint> {
 public:
  // control is borrowed: it is the control that embeds this connection
  // point, and it answers for IConnectionPointContainer.
  ConnectionPoint(IUnknown& control, const IID& sinkInterface) noexcept;

  // IConnectionPoint
  IFACEMETHODIMP GetConnectionInterface(IID* iid) override;
  IFACEMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  IFACEMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  IFACEMETHODIMP Unadvise(DWORD cookie) override;
  IFACEMETHODIMP EnumConnections(IEnumConnections** connections) override;

  const IID& SinkInterface() const noexcept { return sinkInterface_; }

  // Calls each connected IPropertyNotifySink::OnChanged in the order the
  // sinks connected. The change has happened whatever a sink answers, so
  // every sink is told and the answers are ignored. Only for the property
  // notification point.
  void NotifyChanged(DISPID dispatchId);

 private:
  IID sinkInterface_;
  SinkList sinks_;  // each queried for sinkInterface_ (see Advise)
};

}  // namespace tessarel
