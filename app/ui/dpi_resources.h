#pragma once
// The per-DPI GDI resources of the program's windows.

#include <windows.h>

#include "ui/unique_handle.h"

namespace zenthra::ui {

// MS Sans Serif 8.25 point for the given DPI.
UniqueFont createLayoutFont(UINT dpi);

// The application icon at the size of the given system metric (SM_CXICON or
// SM_CXSMICON) for the DPI; empty when the module has no such icon.
UniqueIcon loadAppIcon(HINSTANCE instance, int sizeMetric, UINT dpi);

}  // namespace zenthra::ui
