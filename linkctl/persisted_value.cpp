#include "persisted_value.h"

#include <ole2.h>

#include <algorithm>
#include <cstring>

#include "bstr_text.h"
#include "win32/result.h"
#include "win32/standard_font_stream.h"

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

// IPropertyBag::Read reports an entry that is not there as E_INVALIDARG.
constexpr HRESULT kBagEntryMissing = E_INVALIDARG;

// A string's count of UTF-16 units, whose bytes a stream call takes as
// a 32-bit number. Every BSTR is within it (its own length in bytes is
// a 32-bit number), so whatever Save writes, Load reads back.
constexpr std::uint32_t kLongestStreamString = MAXDWORD / sizeof(wchar_t);
// Units of a stream string's first read; each later read at most doubles
// what has arrived.
constexpr std::uint32_t kFirstStringRead = 1u << 16;

HRESULT ReadBagRaw(IPropertyBag* bag, IErrorLog* errorLog, const wchar_t* name, VARTYPE type,
                   win32::UniqueVariant& value, bool& found) {
  VARIANT* raw = value.put();
  // The type wanted, as a hint to the bag, over empty data: a bag that fails
  // without writing must leave nothing stale for the clear below to free.
  *raw = VARIANT{};
  raw->vt = type;
  const HRESULT hr = bag->Read(name, raw, errorLog);
  found = SUCCEEDED(hr);
  if (found) return S_OK;
  value.put();  // whatever the failing bag left there
  return hr == kBagEntryMissing ? S_OK : hr;
}

}  // namespace

HRESULT ReadBagValue(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, VARTYPE type,
                     win32::UniqueVariant& value, bool& found) {
  RETURN_IF_FAILED(ReadBagRaw(bag, errorLog, name.stored, type, value, found));
  if (!found) RETURN_IF_FAILED(ReadBagRaw(bag, errorLog, name.control, type, value, found));
  if (!found || value->vt == type) return S_OK;
  RETURN_HR_IF(DISP_E_TYPEMISMATCH, FAILED(VariantChangeType(value.get(), value.get(), 0, type)));
  return S_OK;
}

HRESULT WriteBagValue(IPropertyBag* bag, const PersistedName& name, VARIANT& value) {
  return bag->Write(name.stored, &value);
}

HRESULT ReadBagInt32(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, std::int32_t& value) {
  win32::UniqueVariant read;
  bool found = false;
  RETURN_IF_FAILED(ReadBagValue(bag, errorLog, name, VT_I4, read, found));
  if (found) value = read->lVal;
  return S_OK;
}

HRESULT ReadBagString(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, win32::UniqueBstr& value) {
  win32::UniqueVariant read;
  bool found = false;
  RETURN_IF_FAILED(ReadBagValue(bag, errorLog, name, VT_BSTR, read, found));
  return found ? AssignBstr(value, read->bstrVal) : S_OK;
}

HRESULT ReadBagFont(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, ComPtr<IFont>& font) {
  font.Reset();
  win32::UniqueVariant read;
  bool found = false;
  RETURN_IF_FAILED(ReadBagValue(bag, errorLog, name, VT_DISPATCH, read, found));
  if (!found) return S_OK;
  RETURN_HR_IF(DISP_E_TYPEMISMATCH,
               read->pdispVal == nullptr || FAILED(read->pdispVal->QueryInterface(IID_PPV_ARGS(&font))));
  return S_OK;
}

HRESULT WriteBagInt32(IPropertyBag* bag, const PersistedName& name, std::int32_t value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return WriteBagValue(bag, name, variant);
}

HRESULT WriteBagString(IPropertyBag* bag, const PersistedName& name, BSTR value) {
  // A copy of its own, so that the variant never borrows.
  win32::UniqueVariant variant;
  variant->bstrVal = SysAllocStringLen(BstrChars(value), SysStringLen(value));
  RETURN_HR_IF_NULL(E_OUTOFMEMORY, variant->bstrVal);
  variant->vt = VT_BSTR;
  return WriteBagValue(bag, name, *variant.get());
}

HRESULT WriteBagFont(IPropertyBag* bag, const PersistedName& name, IFont* font) {
  win32::UniqueVariant variant;
  RETURN_IF_FAILED(font->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&variant->pdispVal)));
  variant->vt = VT_DISPATCH;
  return WriteBagValue(bag, name, *variant.get());
}

HRESULT WriteStreamUInt32(IStream* stream, std::uint32_t value) {
  ULONG written = 0;
  RETURN_IF_FAILED(stream->Write(&value, sizeof(value), &written));
  return written == sizeof(value) ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadStreamUInt32(IStream* stream, std::uint32_t& value) {
  ULONG read = 0;
  RETURN_IF_FAILED(stream->Read(&value, sizeof(value), &read));
  return read == sizeof(value) ? S_OK : STG_E_READFAULT;
}

HRESULT WriteStreamString(IStream* stream, BSTR value) {
  const std::uint32_t length = SysStringLen(value);
  RETURN_HR_IF(STG_E_MEDIUMFULL, length > kLongestStreamString);  // never for a BSTR, see above
  RETURN_IF_FAILED(WriteStreamUInt32(stream, length));
  if (length == 0) return S_OK;
  const ULONG bytes = length * sizeof(wchar_t);
  ULONG written = 0;
  RETURN_IF_FAILED(stream->Write(value, bytes, &written));
  return written == bytes ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadStreamString(IStream* stream, win32::UniqueBstr& value) {
  std::uint32_t length = 0;
  RETURN_IF_FAILED(ReadStreamUInt32(stream, length));
  RETURN_HR_IF(STG_E_INVALIDHEADER, length > kLongestStreamString);
  // The string grows with what arrives, so a count that the stream does
  // not bear out (a damaged one) fails when the data run out, having
  // taken about as much memory as they held, never the count's worth.
  win32::UniqueBstr text(SysAllocStringLen(nullptr, 0));
  RETURN_HR_IF(E_OUTOFMEMORY, !text);
  std::uint32_t filled = 0;
  while (filled < length) {
    const std::uint32_t size = std::min(length, std::max(kFirstStringRead, 2 * filled));
    // Units beyond filled are uninitialised until the read fills them.
    win32::UniqueBstr grown(SysAllocStringLen(nullptr, size));
    RETURN_HR_IF(E_OUTOFMEMORY, !grown);
    std::memcpy(grown.get(), text.get(), filled * sizeof(wchar_t));
    const ULONG bytes = (size - filled) * sizeof(wchar_t);
    ULONG read = 0;
    RETURN_IF_FAILED(stream->Read(grown.get() + filled, bytes, &read));
    RETURN_HR_IF(STG_E_READFAULT, read != bytes);
    text = std::move(grown);
    filled = size;
  }
  value = std::move(text);
  return S_OK;
}

HRESULT WriteStreamFont(IStream* stream, IFont* font) {
  ComPtr<IPersistStream> persist;
  RETURN_IF_FAILED(font->QueryInterface(IID_PPV_ARGS(&persist)));
  return OleSaveToStream(persist.Get(), stream);
}

// Only the standard font: a stream that names another class for it fails
// before anything is created.
HRESULT ReadStreamFont(IStream* stream, ComPtr<IFont>& font) { return win32::LoadStandardFont(stream, font); }

}  // namespace tessarel
