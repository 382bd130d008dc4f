#pragma once
// The force info line: the product of the program.

#include <string>
#include <string_view>

#include "force_settings.h"
#include "force_window.h"

namespace zenthra {

inline constexpr std::wstring_view kForceInfoPrefix = L"forceinfo       7-";
inline constexpr std::wstring_view kForceInfoPrompt = L"Force Info Will Display Here When You Hit The Go Button";

// The line for a record whose side is already set: the prefix, the side, "-",
// then the 18 levels in linePosition order, each as its shortest decimal text.
std::wstring ComposeForceInfoLine(const ForceSettings& settings);

// Go: stores the side from optlight (1 when selected, else 2), composes the
// line and replaces the text of txtforce with it.
void cmdgo_Click(ForceWindow& window);

}  // namespace zenthra
