#pragma once
// The force info line: the product of the program.

#include <string>
#include <string_view>

#include "force_settings.h"
#include "force_window.h"

namespace zenthra {

inline constexpr std::wstring_view kForceInfoPrefix = L"forceinfo       7-";
// The key and its gap of seven blanks: what comes before the value.
inline constexpr std::wstring_view kForceInfoKeyAndGap = kForceInfoPrefix.substr(0, 16);
inline constexpr std::wstring_view kForceInfoPrompt = L"Force Info Will Display Here When You Hit The Go Button";

// The value for a record whose side is already set: "7-", the side, "-", then
// the 18 levels in linePosition order, each as its shortest decimal text.
std::wstring ComposeForceInfoValue(const ForceSettings& settings);

// The line: the key and its gap, then the value.
std::wstring ComposeForceInfoLine(const ForceSettings& settings);

// Go: stores the side from optlight (1 when selected, else 2), composes the
// line and replaces the text of txtforce with it.
void cmdgo_Click(ForceWindow& window);

}  // namespace zenthra
