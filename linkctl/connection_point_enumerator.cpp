#include "connection_point_enumerator.h"

#include <wrl/client.h>

#include "module.h"
#include "win32/com_object.h"
#include "win32/result.h"

namespace tessarel {
namespace {

class ConnectionPointEnumerator final : public win32::ComObject<ConnectionPointEnumerator, IEnumConnectionPoints> {
 public:
  ConnectionPointEnumerator(IUnknown& control, IConnectionPoint* const* points, ULONG count, ULONG position) noexcept
      : control_(&control), count_(count), position_(position) {
    for (ULONG i = 0; i < count_; ++i) points_[i] = points[i];
  }

  // IEnumConnectionPoints
  IFACEMETHODIMP Next(ULONG wanted, IConnectionPoint** points, ULONG* fetched) override {
    RETURN_HR_IF(E_POINTER, points == nullptr || (fetched == nullptr && wanted != 1));
    ULONG given = 0;
    for (; given < wanted && position_ < count_; ++given, ++position_) {
      points[given] = points_[position_];
      points[given]->AddRef();
    }
    if (fetched != nullptr) *fetched = given;
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
    RETURN_HR_IF_NULL(E_POINTER, copy);
    *copy = win32::MakeComObject<ConnectionPointEnumerator>(*control_.Get(), points_, count_, position_).Detach();
    return *copy != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ModuleObjectCount objectCount_;
  Microsoft::WRL::ComPtr<IUnknown> control_;   // holds the points
  IConnectionPoint* points_[kMaxPoints] = {};  // borrowed from control_
  ULONG count_;
  ULONG position_;
};

}  // namespace

HRESULT CreateConnectionPointEnumerator(IUnknown& control, IConnectionPoint* const* points, ULONG count,
                                        IEnumConnectionPoints** enumerator) noexcept {
  RETURN_HR_IF_NULL(E_POINTER, enumerator);
  *enumerator = nullptr;
  RETURN_HR_IF(E_INVALIDARG, count > kMaxPoints);
  *enumerator = win32::MakeComObject<ConnectionPointEnumerator>(control, points, count, 0).Detach();
  return *enumerator != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tessarel
