#pragma once
// Module-wide state of tessarel.ocx: its own handle, its type library, and
// the counts of live objects and server locks that DllCanUnloadNow
// reports on.

#include "win32/unique_handle.h"

#include <windows.h>
#include <oaidl.h>

#include <atomic>

namespace tessarel {

HMODULE ModuleHandle() noexcept;

// Full path of tessarel.ocx.
HRESULT ModulePath(win32::UniqueBstr& path);

// The library's embedded type library and, in it, the type information of
// _tessarelcontrol: loaded once for the whole module, on first need, and
// kept until the library is unloaded. Both are borrowed; every caller is
// an object of the library or runs inside one of its exports, so the
// library outlives the use. Safe from any thread; a failed load is tried
// again at the next call.
HRESULT GetTypeLibrary(ITypeLib*& library, ITypeInfo*& controlTypeInfo);

// One object count of the library: every COM object of it (controls,
// class factories, sinks, enumerators) holds one for its lifetime, so that
// DllCanUnloadNow answers S_FALSE while any of them is alive.
class ModuleObjectCount {
 public:
  ModuleObjectCount() noexcept { ++alive_; }
  ModuleObjectCount(const ModuleObjectCount&) = delete;
  ModuleObjectCount& operator=(const ModuleObjectCount&) = delete;
  ~ModuleObjectCount() { --alive_; }

  static bool AnyAlive() noexcept { return alive_.load() != 0; }

 private:
  static inline std::atomic<long> alive_{0};
};

// IClassFactory::LockServer.
void AddLockRef() noexcept;
void ReleaseLockRef() noexcept;

}  // namespace tessarel
