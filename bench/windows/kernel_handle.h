#pragma once
// Owner of a kernel object handle (process, thread), on the project's one
// owning handle type: closed exactly once, when the owner goes.

#include <windows.h>

#include "ui/unique_handle.h"

namespace zenthra::bench {

inline void closeKernelHandle(HANDLE handle) { CloseHandle(handle); }

// For handles whose "none" is nullptr (CreateProcess's), not for files.
using UniqueKernelHandle = ui::UniqueHandle<HANDLE, closeKernelHandle>;

}  // namespace zenthra::bench
