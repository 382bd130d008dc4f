// DllGetClassObject: one class factory, for tessarelcontrol, the library's
// only class.
#include "link_control.h"
#include "module.h"
#include "win32/com_object.h"
#include "win32/result.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

class ClassFactory final : public win32::ComObject<ClassFactory, IClassFactory> {
 public:
  IFACEMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    RETURN_HR_IF(CLASS_E_NOAGGREGATION, outer != nullptr);
    return LinkControl::Create(riid, object);
  }
  IFACEMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      AddLockRef();
    else
      ReleaseLockRef();
    return S_OK;
  }

 private:
  ModuleObjectCount objectCount_;
};

}  // namespace
}  // namespace tessarel

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** object) {
  RETURN_HR_IF_NULL(E_POINTER, object);
  *object = nullptr;
  RETURN_HR_IF(CLASS_E_CLASSNOTAVAILABLE, classId != CLSID_tessarelcontrol);
  ComPtr<tessarel::ClassFactory> factory = win32::MakeComObject<tessarel::ClassFactory>();
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, factory);
  return factory->QueryInterface(riid, object);
}
