#pragma once
// Reading and writing single persisted values: property bag entries by
// name, and the fixed-layout fields of the control's stream.

#include "win32/unique_handle.h"

#include <objidl.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdint>

namespace tessarel {

// A persisted property: the name the control uses and the name as a host
// stores it (lower case). Bags are asked for the stored name first, then
// for the control's name, so names match without regard to case even in a
// bag that compares them exactly.
struct PersistedName {
  const wchar_t* control;
  const wchar_t* stored;
};

// Reads one entry and converts it to type. found is false when the bag has
// no such entry (value then stays empty); any other failure of the bag is
// returned; an entry that cannot be converted gives DISP_E_TYPEMISMATCH.
HRESULT ReadBagValue(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, VARTYPE type,
                     win32::UniqueVariant& value, bool& found);
// Writes one entry under its stored (lower-case) name.
HRESULT WriteBagValue(IPropertyBag* bag, const PersistedName& name, VARIANT& value);

// Typed reads over ReadBagValue; a missing entry leaves fallback in place.
HRESULT ReadBagInt32(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, std::int32_t& value);
HRESULT ReadBagString(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, win32::UniqueBstr& value);
// A missing entry leaves font null.
HRESULT ReadBagFont(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name,
                    Microsoft::WRL::ComPtr<IFont>& font);

HRESULT WriteBagInt32(IPropertyBag* bag, const PersistedName& name, std::int32_t value);
// value is borrowed; null is the empty string.
HRESULT WriteBagString(IPropertyBag* bag, const PersistedName& name, BSTR value);
HRESULT WriteBagFont(IPropertyBag* bag, const PersistedName& name, IFont* font);

// Stream fields, little-endian as the platform writes them. A short read
// is STG_E_READFAULT.
HRESULT WriteStreamUInt32(IStream* stream, std::uint32_t value);
HRESULT ReadStreamUInt32(IStream* stream, std::uint32_t& value);
// A 32-bit count of UTF-16 units, then the units. The written value is
// borrowed; null is the empty string.
HRESULT WriteStreamString(IStream* stream, BSTR value);
HRESULT ReadStreamString(IStream* stream, win32::UniqueBstr& value);
// The font object's own persisted form (its class identifier first).
HRESULT WriteStreamFont(IStream* stream, IFont* font);
HRESULT ReadStreamFont(IStream* stream, Microsoft::WRL::ComPtr<IFont>& font);

}  // namespace tessarel
