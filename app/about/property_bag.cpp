#include "about/property_bag.h"

#include <array>
#include <new>

#include "about/persisted_font.h"
#include "win32/com_object.h"
#include "win32/result.h"
#include "win32/unique_handle.h"

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;

struct Entry {
  const wchar_t* name = nullptr;
  win32::UniqueVariant value;
};

class StoredPropertyBag final : public win32::ComObject<StoredPropertyBag, IPropertyBag> {
 public:
  // In the order the layout stores them: the extent first.
  HRESULT Fill(const StoredLinkLabel& stored) {
    SetLong(entries_[0], L"_extentx", stored.extentX);
    SetLong(entries_[1], L"_extenty", stored.extentY);
    SetLong(entries_[2], L"forecolor", static_cast<LONG>(stored.foreColor));
    RETURN_IF_FAILED(SetString(entries_[3], L"text", stored.text));
    RETURN_IF_FAILED(SetString(entries_[4], L"link", stored.link));

    ComPtr<IFontDisp> font;
    RETURN_IF_FAILED(LoadPersistedFont(PersistFont(stored.font), font));
    entries_[5].name = L"font";
    entries_[5].value->vt = VT_DISPATCH;
    entries_[5].value->pdispVal = font.Detach();
    return S_OK;
  }

  // A missing entry is E_INVALIDARG, which tells the control to use its
  // default. The caller's VARIANT names the type it wants (VT_EMPTY: as
  // stored).
  IFACEMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    RETURN_HR_IF(E_POINTER, !name || !value);
    VARIANT* stored = Find(name);
    if (stored == nullptr) return E_INVALIDARG;  // an answer, not a failure: nothing to report
    VARIANT result;
    VariantInit(&result);
    const VARTYPE wanted = value->vt;
    RETURN_IF_FAILED(wanted == VT_EMPTY ? VariantCopy(&result, stored) : VariantChangeType(&result, stored, 0, wanted));
    // On entry the caller's VARIANT holds only the type it wants; whatever
    // else it holds is not the bag's to free.
    *value = result;
    return S_OK;
  }

  // The bag is read-only.
  IFACEMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

 private:
  static void SetLong(Entry& entry, const wchar_t* name, LONG value) {
    entry.name = name;
    entry.value->vt = VT_I4;
    entry.value->lVal = value;
  }

  static HRESULT SetString(Entry& entry, const wchar_t* name, const wchar_t* value) {
    entry.name = name;
    entry.value->bstrVal = SysAllocString(value);
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, entry.value->bstrVal);
    entry.value->vt = VT_BSTR;
    return S_OK;
  }

  VARIANT* Find(LPCOLESTR name) {
    for (Entry& entry : entries_)
      if (entry.name && CompareStringOrdinal(entry.name, -1, name, -1, TRUE) == CSTR_EQUAL) return entry.value.get();
    return nullptr;
  }

  std::array<Entry, 6> entries_{};
};

}  // namespace

HRESULT CreateStoredPropertyBag(const StoredLinkLabel& stored, ComPtr<IPropertyBag>& bag) {
  bag.Reset();
  try {
    ComPtr<StoredPropertyBag> object = win32::MakeComObject<StoredPropertyBag>();
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, object.Get());
    RETURN_IF_FAILED(object->Fill(stored));
    bag = std::move(object);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace zenthra::about
