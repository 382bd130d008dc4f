#pragma once
// Switching between the Light and Dark sides.

#include "force_window.h"

namespace zenthra {

// Run after the clicked option button has become selected. Each enables its
// side's four boxes, disables the other side's and clears them to "00".
void optlight_Click(ForceWindow& window);
void optdark_Click(ForceWindow& window);

}  // namespace zenthra
