#include "sink_list.h"

#include <olectl.h>

#include <cstring>
#include <utility>

#include "win32/result.h"

namespace tessarel {
namespace {

// A container connects one property sink; a few more cost nothing.
constexpr std::size_t kFirstCapacity = 4;

}  // namespace

HRESULT SinkList::Add(IUnknown* sink, DWORD& cookie) {
  // The largest cookie is never handed out, so that NextCookie stays
  // above every cookie in use.
  RETURN_HR_IF(CONNECT_E_ADVISELIMIT, nextCookie_ == MAXDWORD);
  if (count_ == capacity_) {
    const std::size_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
    const SIZE_T bytes = capacity * sizeof(Connection);
    HANDLE heap = GetProcessHeap();  // borrowed: the process's own
    // HeapReAlloc moves the entries (plain values) and frees the old
    // block; on failure the old block stays as it was.
    void* grown = items_ ? HeapReAlloc(heap, 0, items_.get(), bytes) : HeapAlloc(heap, 0, bytes);
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, grown);
    static_cast<void>(items_.release());  // already freed or moved by HeapReAlloc
    items_.reset(static_cast<Connection*>(grown));
    capacity_ = capacity;
  }
  sink->AddRef();
  items_.get()[count_++] = Connection{nextCookie_, sink};
  cookie = nextCookie_++;
  return S_OK;
}

bool SinkList::Remove(DWORD cookie) noexcept {
  Connection* items = items_.get();
  for (std::size_t index = 0; index < count_; ++index) {
    if (items[index].cookie == cookie) {
      IUnknown* sink = items[index].sink;
      std::memmove(items + index, items + index + 1, (count_ - index - 1) * sizeof(Connection));
      --count_;
      // Released only once the list is whole again: the sink's
      // destructor may call back into the control.
      sink->Release();
      return true;
    }
  }
  return false;
}

void SinkList::Clear() noexcept {
  // Taken out of the list first, for the same reason as in Remove.
  win32::UniqueHeapArray<Connection> items = std::move(items_);
  const std::size_t count = std::exchange(count_, 0);
  capacity_ = 0;
  for (std::size_t index = 0; index < count; ++index) items.get()[index].sink->Release();
}

bool SinkList::FindAfter(DWORD after, DWORD& cookie, Microsoft::WRL::ComPtr<IUnknown>& sink) const {
  const Connection* items = items_.get();
  for (std::size_t index = 0; index < count_; ++index) {
    if (items[index].cookie > after) {
      cookie = items[index].cookie;
      sink = items[index].sink;
      return true;
    }
  }
  return false;
}

}  // namespace tessarel
