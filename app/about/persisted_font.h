#pragma once
// A stored font in the standard font object's persisted form, and back to a
// font object. The form is the font class id followed by the fields the
// font object's IPersistStream reads: version 1, charset (16 bits),
// attribute flags (8), weight (16), size in ten-thousandths of a point (32),
// face name length (8) and the face name in the ANSI code page.

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstddef>
#include <span>
#include <vector>

#include "about/stored_link_labels.h"

namespace zenthra::about {

std::vector<std::byte> PersistFont(const StoredFont& font);

// A standard font object from that form; a form that names another class
// than the standard font fails, and nothing is created.
HRESULT LoadPersistedFont(std::span<const std::byte> persisted, Microsoft::WRL::ComPtr<IFontDisp>& font);

}  // namespace zenthra::about
