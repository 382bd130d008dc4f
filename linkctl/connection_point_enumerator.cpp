#include "connection_point_enumerator.h"

#include <new>

#include "module.h"

namespace tessarel {

namespace {

class ConnectionPointEnumerator final : public IEnumConnectionPoints {
 public:
  ConnectionPointEnumerator(IConnectionPoint* const* points, ULONG count, ULONG position) noexcept
      : count_(count), position_(position) {
    AddObjectRef();
    for (ULONG i = 0; i < count_; ++i) {
      points_[i] = points[i];
      points_[i]->AddRef();
    }
  }
  ConnectionPointEnumerator(const ConnectionPointEnumerator&) = delete;
  ConnectionPointEnumerator& operator=(const ConnectionPointEnumerator&) = delete;

  // IUnknown
  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IEnumConnectionPoints) {
      *object = static_cast<IEnumConnectionPoints*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  IFACEMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  IFACEMETHODIMP_(ULONG) Release() override {
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0) {
      delete this;
    }
    return static_cast<ULONG>(remaining);
  }

  // IEnumConnectionPoints
  IFACEMETHODIMP Next(ULONG wanted, IConnectionPoint** points, ULONG* fetched) override {
    if (points == nullptr || (fetched == nullptr && wanted != 1)) {
      return E_POINTER;
    }
    ULONG given = 0;
    for (; given < wanted && position_ < count_; ++given, ++position_) {
      points[given] = points_[position_];
      points[given]->AddRef();
    }
    if (fetched != nullptr) {
      *fetched = given;
    }
    return given == wanted ? S_OK : S_FALSE;
  }
  IFACEMETHODIMP Skip(ULONG count) override {
    const ULONG left = count_ - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  IFACEMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  IFACEMETHODIMP Clone(IEnumConnectionPoints** copy) override {
    if (copy == nullptr) {
      return E_POINTER;
    }
    *copy = new (std::nothrow) ConnectionPointEnumerator(points_, count_, position_);
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~ConnectionPointEnumerator() {
    for (ULONG i = 0; i < count_; ++i) {
      points_[i]->Release();
    }
    ReleaseObjectRef();
  }

  LONG references_ = 1;
  IConnectionPoint* points_[kMaxPoints] = {};  // owned references
  ULONG count_;
  ULONG position_;
};

}  // namespace

HRESULT CreateConnectionPointEnumerator(IConnectionPoint* const* points, ULONG count,
                                        IEnumConnectionPoints** enumerator) noexcept {
  if (enumerator == nullptr) {
    return E_POINTER;
  }
  *enumerator = nullptr;
  if (count > kMaxPoints) {
    return E_INVALIDARG;
  }
  *enumerator = new (std::nothrow) ConnectionPointEnumerator(points, count, 0);
  return *enumerator != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tessarel
