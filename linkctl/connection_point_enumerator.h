// An enumerator over the control's connection points, for hosts that list
// them instead of asking for one by its interface.
#pragma once

#include <ocidl.h>

namespace tessarel {

// points: the control's connection points, each referenced by the
// enumerator for as long as it lives (which keeps the control alive too).
// At most kMaxPoints of them.
HRESULT CreateConnectionPointEnumerator(IConnectionPoint* const* points, ULONG count,
                                        IEnumConnectionPoints** enumerator) noexcept;

inline constexpr ULONG kMaxPoints = 2;

}  // namespace tessarel
