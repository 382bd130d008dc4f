// DllMain and the module counters.
#include "module.h"

#include "bstr_text.h"
#include "label_window.h"

#include <atomic>

namespace tessarel {
namespace {

// No path is longer than a UNICODE_STRING can hold.
constexpr UINT kLongestPath = 32767;

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

HMODULE ModuleHandle() noexcept { return g_module; }

HRESULT ModulePath(win32::UniqueBstr& path) {
  // GetModuleFileNameW cannot tell the length beforehand: try ever larger
  // buffers until the path fits with its terminator.
  for (UINT capacity = MAX_PATH;; capacity *= 2) {
    if (capacity > kLongestPath + 1) {
      capacity = kLongestPath + 1;
    }
    // Room for capacity characters and one more, the BSTR's terminator.
    win32::UniqueBstr buffer(SysAllocStringLen(nullptr, capacity));
    if (!buffer) {
      return E_OUTOFMEMORY;
    }
    const DWORD length = GetModuleFileNameW(g_module, buffer.get(), capacity);
    if (length == 0) {
      const DWORD error = GetLastError();
      return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    if (length < capacity) {
      // A copy of the right length: the buffer's BSTR length is capacity.
      return AssignText(path, buffer.get(), length);
    }
    if (capacity > kLongestPath) {
      return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
  }
}

void AddObjectRef() noexcept { ++g_objects; }
void ReleaseObjectRef() noexcept { --g_objects; }
void AddLockRef() noexcept { ++g_locks; }
void ReleaseLockRef() noexcept { --g_locks; }
bool ModuleInUse() noexcept { return g_objects.load() != 0 || g_locks.load() != 0; }

}  // namespace tessarel

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      tessarel::g_module = instance;
      DisableThreadLibraryCalls(instance);
      break;
    case DLL_PROCESS_DETACH:
      // On FreeLibrary (not at process end) the label's window class must
      // go, or a later load of the library would find it still pointing
      // into the unloaded image.
      if (reserved == nullptr) {
        tessarel::UnregisterLabelWindowClass();
      }
      break;
    default:
      break;
  }
  return TRUE;
}
