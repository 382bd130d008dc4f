#pragma once
// The owning handle types of the About dialog and its registry reader.

#include "ui/unique_handle.h"

namespace zenthra::about {

using unique_hkey = ui::UniqueHandle<HKEY, &RegCloseKey>;
using unique_handle = ui::UniqueHandle<HANDLE, &CloseHandle>;
using unique_hfont = ui::UniqueHandle<HFONT, &DeleteObject>;
using unique_hpen = ui::UniqueHandle<HPEN, &DeleteObject>;
// Never holds INVALID_HANDLE_VALUE: a failed search is not stored.
using unique_hfind = ui::UniqueHandle<HANDLE, &FindClose>;

}  // namespace zenthra::about
