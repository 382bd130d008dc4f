#pragma once
// The sinks connected to one connection point: an owned reference to each,
// with the cookie Advise handed out for it, in the order of their cookies.
// The array lives on the process heap and doubles when it is full, so any
// number of sinks can connect.

#include "win32/unique_handle.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <cstddef>

namespace tessarel {

class SinkList {
 public:
  SinkList() noexcept = default;
  SinkList(const SinkList&) = delete;
  SinkList& operator=(const SinkList&) = delete;
  ~SinkList() { Clear(); }

  // Keeps a reference to sink under a new cookie, never 0.
  // E_OUTOFMEMORY, or CONNECT_E_ADVISELIMIT once the cookies run out.
  HRESULT Add(IUnknown* sink, DWORD& cookie);
  // Lets go of the sink of cookie; false if no sink has it.
  bool Remove(DWORD cookie) noexcept;
  void Clear() noexcept;

  // The first sink whose cookie is above after, and its cookie; false
  // when there is none.
  bool FindAfter(DWORD after, DWORD& cookie, Microsoft::WRL::ComPtr<IUnknown>& sink) const;
  // The cookie the next Add hands out: every sink connected now has a
  // smaller one.
  DWORD NextCookie() const noexcept { return nextCookie_; }

 private:
  struct Connection {
    DWORD cookie;
    IUnknown* sink;  // owned: one reference, released by Remove or Clear
  };

  win32::UniqueHeapArray<Connection> items_;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  DWORD nextCookie_ = 1;
};

}  // namespace tessarel
