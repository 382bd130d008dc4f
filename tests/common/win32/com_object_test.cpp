// ComObject's last release: what the object does while it goes (take and
// drop references to itself) never releases it a second time.
#include "win32/com_object.h"

#include <gtest/gtest.h>

namespace win32 {
namespace {

class SelfReferencing final : public ComObject<SelfReferencing, IUnknown> {
 public:
  explicit SelfReferencing(int& finalReleases) : finalReleases_(finalReleases) {}
  ~SelfReferencing() override {
    // As a destructor that hands itself to a sink, or keeps itself alive.
    Microsoft::WRL::ComPtr<IUnknown> self(this);
    Microsoft::WRL::ComPtr<IUnknown> asked;
    EXPECT_HRESULT_SUCCEEDED(self.As(&asked));
  }
  // Counted; a second one (a fault) is not let delete the object again.
  void OnFinalRelease() noexcept {
    if (++finalReleases_ == 1) delete this;
  }

 private:
  int& finalReleases_;
};

TEST(ComObject, AnObjectThatReferencesItselfWhileItGoesIsReleasedOnce) {
  int finalReleases = 0;
  Microsoft::WRL::ComPtr<SelfReferencing> object = MakeComObject<SelfReferencing>(finalReleases);
  ASSERT_TRUE(object);
  object->AddRef();
  EXPECT_EQ(1u, object->Release());
  object.Reset();
  EXPECT_EQ(1, finalReleases);
}

}  // namespace
}  // namespace win32
