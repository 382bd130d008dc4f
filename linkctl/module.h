// Module-wide state of tessarel.ocx: its own handle and the counts of live
// objects and server locks that DllCanUnloadNow reports on.
#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

namespace tessarel {

HMODULE ModuleHandle() noexcept;

// Full path of tessarel.ocx.
HRESULT ModulePath(win32::UniqueBstr& path);

// Every COM object of the library (controls, class factories, sinks) holds
// one object count for its lifetime.
void AddObjectRef() noexcept;
void ReleaseObjectRef() noexcept;
// IClassFactory::LockServer.
void AddLockRef() noexcept;
void ReleaseLockRef() noexcept;
bool ModuleInUse() noexcept;

}  // namespace tessarel
