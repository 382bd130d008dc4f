#include "persisted_value.h"

#include "bstr_text.h"
#include "win32/result.h"

#include <ole2.h>

using Microsoft::WRL::ComPtr;

namespace tessarel {
namespace {

// IPropertyBag::Read reports an entry that is not there as E_INVALIDARG.
constexpr HRESULT kBagEntryMissing = E_INVALIDARG;

// Longest string the stream format accepts back (guards against garbage).
constexpr std::uint32_t kMaxStreamStringLength = 1u << 20;

HRESULT ReadBagRaw(IPropertyBag* bag, IErrorLog* errorLog, const wchar_t* name, VARTYPE type,
                   win32::UniqueVariant& value, bool& found) {
  VARIANT* raw = value.put();
  // The type wanted, as a hint to the bag, over empty data: a bag that fails
  // without writing must leave nothing stale for the clear below to free.
  *raw = VARIANT{};
  raw->vt = type;
  const HRESULT hr = bag->Read(name, raw, errorLog);
  found = SUCCEEDED(hr);
  if (found) {
    return S_OK;
  }
  value.put();  // whatever the failing bag left there
  return hr == kBagEntryMissing ? S_OK : hr;
}

}  // namespace

HRESULT ReadBagValue(IPropertyBag* bag, IErrorLog* errorLog, const PersistedName& name, VARTYPE type,
                     win32::UniqueVariant& value, bool& found) {
  RETURN_IF_FAILED(ReadBagRaw(bag, errorLog, name.stored, type, value, found));
  if (!found) {
    RETURN_IF_FAILED(ReadBagRaw(bag, errorLog, name.control, type, value, found));
  }
  if (!found || value->vt == type) {
    return S_OK;
  }
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
  if (found) {
    value = read->lVal;
  }
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
  if (!found) {
    return S_OK;
  }
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
  // A BSTR's length in bytes fits 32 bits, so its length in units does.
  const std::uint32_t length = SysStringLen(value);
  RETURN_IF_FAILED(WriteStreamUInt32(stream, length));
  if (length == 0) {
    return S_OK;
  }
  const ULONG bytes = length * sizeof(wchar_t);
  ULONG written = 0;
  RETURN_IF_FAILED(stream->Write(value, bytes, &written));
  return written == bytes ? S_OK : STG_E_WRITEFAULT;
}

HRESULT ReadStreamString(IStream* stream, win32::UniqueBstr& value) {
  std::uint32_t length = 0;
  RETURN_IF_FAILED(ReadStreamUInt32(stream, length));
  RETURN_HR_IF(STG_E_INVALIDHEADER, length > kMaxStreamStringLength);
  // Uninitialised units; the read fills them, or the string is dropped.
  win32::UniqueBstr text(SysAllocStringLen(nullptr, length));
  RETURN_HR_IF(E_OUTOFMEMORY, !text);
  const ULONG bytes = length * sizeof(wchar_t);
  ULONG read = 0;
  if (length != 0) {
    RETURN_IF_FAILED(stream->Read(text.get(), bytes, &read));
  }
  RETURN_HR_IF(STG_E_READFAULT, read != bytes);
  value = std::move(text);
  return S_OK;
}

HRESULT WriteStreamFont(IStream* stream, IFont* font) {
  ComPtr<IPersistStream> persist;
  RETURN_IF_FAILED(font->QueryInterface(IID_PPV_ARGS(&persist)));
  return OleSaveToStream(persist.Get(), stream);
}

HRESULT ReadStreamFont(IStream* stream, ComPtr<IFont>& font) {
  return OleLoadFromStream(stream, IID_IFont, reinterpret_cast<void**>(font.ReleaseAndGetAddressOf()));
}

}  // namespace tessarel
