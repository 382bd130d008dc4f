#pragma once
// What a frmqel at a given DPI must look like, for the tests at every DPI.

#include <windows.h>

#include "ui/main_window.h"

namespace zenthra::ui::test {

// Expects every control at MulDiv(twips, dpi, 1440), in MS Sans Serif 8.25
// point for `dpi` and tall enough for a line of it.
void ExpectLayoutAt(const MainWindow& window, UINT dpi);

// Expects the client area at the layout's size in twips for `dpi`.
void ExpectClientAreaAt(const MainWindow& window, UINT dpi);

}  // namespace zenthra::ui::test
