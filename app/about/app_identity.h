#pragma once
// What the About dialog shows of the program's identity: the title shared
// with the main window, and the version numbers from the project's version
// in CMake.

#include "ui/app_identity.h"

namespace zenthra::about {

inline constexpr const wchar_t* kApplicationTitle = ui::kAppTitle.data();

inline constexpr int kVersionMajor = ZENTHRA_VERSION_MAJOR;
inline constexpr int kVersionMinor = ZENTHRA_VERSION_MINOR;
inline constexpr int kVersionRevision = ZENTHRA_VERSION_PATCH;

}  // namespace zenthra::about
