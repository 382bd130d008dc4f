#pragma once
// An enumerator over the control's connection points, for hosts that list
// them instead of asking for one by its interface.

#include <ocidl.h>

namespace tessarel {

inline constexpr ULONG kMaxPoints = 2;

// points: at most kMaxPoints connection points that live inside control,
// borrowed from it; the enumerator keeps a reference to control for as
// long as it lives.
HRESULT CreateConnectionPointEnumerator(IUnknown& control, IConnectionPoint* const* points, ULONG count,
                                        IEnumConnectionPoints** enumerator) noexcept;

}  // namespace tessarel
