#pragma once
// The program's identity, shared by its windows and its resources: the
// application title and the version from the product's identity in CMake,
// and the application icon of the program file, the main window and the
// About dialog. The resource compiler reads the icon's number from here too.

#include "shell/product_identity.h"

#define IDI_ZENTHRA 1

#ifndef RC_INVOKED

namespace zenthra::shell {

// The caption of every message box and the title the About dialog shows.
inline constexpr wchar_t kAppTitle[] = L"" ZENTHRA_PRODUCT_NAME;

inline constexpr int kVersionMajor = ZENTHRA_VERSION_MAJOR;
inline constexpr int kVersionMinor = ZENTHRA_VERSION_MINOR;
inline constexpr int kVersionRevision = ZENTHRA_VERSION_PATCH;

inline constexpr int kAppIcon = IDI_ZENTHRA;

}  // namespace zenthra::shell

#endif  // RC_INVOKED
