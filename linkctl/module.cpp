// DllMain and the module counters.
#include "module.h"

#include "label_window.h"

#include <atomic>

namespace tessarel {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

HMODULE ModuleHandle() noexcept { return g_module; }

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void AddObjectRef() noexcept { ++g_objects; }
void ReleaseObjectRef() noexcept { --g_objects; }
void AddLockRef() noexcept { ++g_locks; }
void ReleaseLockRef() noexcept { --g_locks; }
bool ModuleInUse() noexcept { return g_objects.load() != 0 || g_locks.load() != 0; }

}  // namespace tessarel

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void* reserved)
{
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
