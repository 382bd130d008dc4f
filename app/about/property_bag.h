#pragma once
// The property bag a stored link label is restored from: the entries the
// dialog's layout holds for it, under their stored lower-case names, found
// without regard to case. The font entry is handed out as a font object.
// The bag is read-only: restoring is all the dialog does with it.

#include <ocidl.h>
#include <wrl/client.h>

#include "about/stored_link_labels.h"

namespace zenthra::about {

HRESULT CreateStoredPropertyBag(const StoredLinkLabel& stored, Microsoft::WRL::ComPtr<IPropertyBag>& bag);

}  // namespace zenthra::about
