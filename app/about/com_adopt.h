#pragma once
// Taking over the reference that a creating function hands out.

#include <wrl/client.h>

namespace zenthra::about {

// The owner of `raw`'s one reference. Not ComPtr::Attach: the MinGW-w64
// headers' Attach adds a reference of its own, which would then leak.
template <typename T>
Microsoft::WRL::ComPtr<T> adopt(T* raw) noexcept {
  Microsoft::WRL::ComPtr<T> owner;
  *owner.GetAddressOf() = raw;
  return owner;
}

}  // namespace zenthra::about
