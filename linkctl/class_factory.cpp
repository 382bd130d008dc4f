// DllGetClassObject and DllCanUnloadNow: one class factory, for
// tessarelcontrol, the library's only class.
#include "link_control.h"
#include "module.h"
#include "win32/com_object.h"
#include "win32/unique_handle.h"

#include <shlwapi.h>

#include <atomic>
#include <new>

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

class ClassFactory final : public IClassFactory {
 public:
  ClassFactory() noexcept { AddObjectRef(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override {
    static const QITAB interfaces[] = {
        QITABENT(ClassFactory, IClassFactory),
        {nullptr, 0},
    };
    return QISearch(this, interfaces, riid, object);
  }
  IFACEMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  IFACEMETHODIMP_(ULONG) Release() override {
    const ULONG remaining = --references_;
    if (remaining == 0) {
      delete this;
    }
    return remaining;
  }

  IFACEMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
      return CLASS_E_NOAGGREGATION;
    }
    return LinkControl::Create(riid, object);
  }
  IFACEMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      AddLockRef();
    } else {
      ReleaseLockRef();
    }
    return S_OK;
  }

 private:
  ~ClassFactory() { ReleaseObjectRef(); }

  std::atomic<ULONG> references_{1};
};

}  // namespace
}  // namespace tessarel

STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  if (classId != CLSID_tessarelcontrol) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  ComPtr<tessarel::ClassFactory> factory = win32::Adopt(new (std::nothrow) tessarel::ClassFactory());
  if (factory == nullptr) {
    return E_OUTOFMEMORY;
  }
  return factory->QueryInterface(riid, object);
}

STDAPI DllCanUnloadNow() { return tessarel::ModuleInUse() ? S_FALSE : S_OK; }
