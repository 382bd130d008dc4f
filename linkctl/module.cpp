#include "module.h"

// DllMain, DllCanUnloadNow, the module's type library and the lock count.

#include <wrl/client.h>

#include "bstr_text.h"
#include "label_window.h"
#include "tessarel_h.h"
#include "win32/result.h"

namespace tessarel {
namespace {

// No path is longer than a UNICODE_STRING can hold.
constexpr UINT kLongestPath = 32767;

HMODULE thisModule = nullptr;
std::atomic<long> serverLocks{0};

INIT_ONCE typeLibraryOnce = INIT_ONCE_STATIC_INIT;
// Owned: released by ReleaseTypeLibrary. Raw, so that no destructor runs
// at process end, when oleaut32 may be gone already.
ITypeLib* loadedTypeLibrary = nullptr;
ITypeInfo* loadedControlTypeInfo = nullptr;

HRESULT LoadTypeLibrary() {
  win32::UniqueBstr path;
  RETURN_IF_FAILED(ModulePath(path));
  Microsoft::WRL::ComPtr<ITypeLib> library;
  RETURN_IF_FAILED(LoadTypeLibEx(path.get(), REGKIND_NONE, &library));
  Microsoft::WRL::ComPtr<ITypeInfo> typeInfo;
  RETURN_IF_FAILED(library->GetTypeInfoOfGuid(IID__tessarelcontrol, &typeInfo));
  loadedTypeLibrary = library.Detach();
  loadedControlTypeInfo = typeInfo.Detach();
  return S_OK;
}

void ReleaseTypeLibrary() noexcept {
  if (loadedControlTypeInfo != nullptr) loadedControlTypeInfo->Release();
  if (loadedTypeLibrary != nullptr) loadedTypeLibrary->Release();
}

}  // namespace

HMODULE ModuleHandle() noexcept { return thisModule; }

HRESULT ModulePath(win32::UniqueBstr& path) {
  // GetModuleFileNameW cannot tell the length beforehand: try ever larger
  // buffers until the path fits with its terminator.
  for (UINT capacity = MAX_PATH;; capacity *= 2) {
    if (capacity > kLongestPath + 1) capacity = kLongestPath + 1;
    // Room for capacity characters and one more, the BSTR's terminator.
    win32::UniqueBstr buffer(SysAllocStringLen(nullptr, capacity));
    RETURN_HR_IF(E_OUTOFMEMORY, !buffer);
    const DWORD length = GetModuleFileNameW(thisModule, buffer.get(), capacity);
    RETURN_LAST_ERROR_IF(length == 0);
    if (length < capacity) {
      // A copy of the right length: the buffer's BSTR length is capacity.
      return AssignText(path, buffer.get(), length);
    }
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), capacity > kLongestPath);
  }
}

HRESULT GetTypeLibrary(ITypeLib*& library, ITypeInfo*& controlTypeInfo) {
  // One thread at a time loads, the others wait for it; after a success
  // nobody loads again, after a failure the next caller tries.
  BOOL pending = FALSE;
  RETURN_LAST_ERROR_IF(!InitOnceBeginInitialize(&typeLibraryOnce, 0, &pending, nullptr));
  if (pending) {
    const HRESULT hr = LoadTypeLibrary();
    RETURN_LAST_ERROR_IF(!InitOnceComplete(&typeLibraryOnce, SUCCEEDED(hr) ? 0 : INIT_ONCE_INIT_FAILED, nullptr));
    RETURN_IF_FAILED(hr);
  }
  library = loadedTypeLibrary;
  controlTypeInfo = loadedControlTypeInfo;
  return S_OK;
}

void AddLockRef() noexcept { ++serverLocks; }
void ReleaseLockRef() noexcept { --serverLocks; }

}  // namespace tessarel

STDAPI DllCanUnloadNow() {
  return tessarel::ModuleObjectCount::AnyAlive() || tessarel::serverLocks.load() != 0 ? S_FALSE : S_OK;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tessarel::thisModule = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // On FreeLibrary (not at process end) what the library made for
      // the whole process goes: the label's window class, or a later load
      // of the library would find it still pointing into the unloaded
      // image, and the type library it loaded.
      if (reserved == nullptr) {
        tessarel::UnregisterLabelWindowClass();
        tessarel::ReleaseTypeLibrary();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
