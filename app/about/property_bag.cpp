#include "about/property_bag.h"
#include "about/com_adopt.h"

#include <array>
#include <new>

#include "about/persisted_font.h"

namespace zenthra::about {
namespace {

using Microsoft::WRL::ComPtr;

struct Entry {
  const wchar_t* name;
  VARIANT value;
};

class StoredPropertyBag {
 public:
  static HRESULT Create(const StoredLinkLabel& stored, ComPtr<IPropertyBag>& bag) {
    bag.Reset();
    auto* object = new (std::nothrow) StoredPropertyBag();
    if (!object) return E_OUTOFMEMORY;
    // The object starts with one reference, which `bag` takes over.
    ComPtr<IPropertyBag> owned = adopt<IPropertyBag>(&object->propertyBag_);
    if (const HRESULT hr = object->Fill(stored); FAILED(hr)) return hr;
    bag = std::move(owned);
    return S_OK;
  }

 private:
  struct PropertyBagIface final : IPropertyBag {
    explicit PropertyBagIface(StoredPropertyBag& outer) : outer_(outer) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override { return outer_.QueryInterface(iid, object); }
    STDMETHODIMP_(ULONG) AddRef() override { return outer_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return outer_.Release(); }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override { return outer_.Read(name, value, log); }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }
    StoredPropertyBag& outer_;
  };

  StoredPropertyBag() {
    for (Entry& entry : entries_) VariantInit(&entry.value);
  }
  ~StoredPropertyBag() {
    for (Entry& entry : entries_) VariantClear(&entry.value);
  }

  // In the order the layout stores them: the extent first.
  HRESULT Fill(const StoredLinkLabel& stored) {
    SetLong(entries_[0], L"_extentx", stored.extentX);
    SetLong(entries_[1], L"_extenty", stored.extentY);
    SetLong(entries_[2], L"forecolor", static_cast<LONG>(stored.foreColor));
    if (const HRESULT hr = SetString(entries_[3], L"text", stored.text); FAILED(hr)) return hr;
    if (const HRESULT hr = SetString(entries_[4], L"link", stored.link); FAILED(hr)) return hr;

    const auto persisted = PersistFont(stored.font);
    ComPtr<IFontDisp> font;
    if (const HRESULT hr = LoadPersistedFont(persisted, font); FAILED(hr)) return hr;
    entries_[5].name = L"font";
    entries_[5].value.vt = VT_DISPATCH;
    entries_[5].value.pdispVal = font.Detach();
    return S_OK;
  }

  static void SetLong(Entry& entry, const wchar_t* name, LONG value) {
    entry.name = name;
    entry.value.vt = VT_I4;
    entry.value.lVal = value;
  }

  static HRESULT SetString(Entry& entry, const wchar_t* name, const wchar_t* value) {
    entry.name = name;
    entry.value.bstrVal = SysAllocString(value);
    if (!entry.value.bstrVal) return E_OUTOFMEMORY;
    entry.value.vt = VT_BSTR;
    return S_OK;
  }

  HRESULT QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
      *object = &propertyBag_;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // A missing entry is E_INVALIDARG, which tells the control to use its
  // default. The caller's VARIANT names the type it wants (VT_EMPTY: as
  // stored).
  HRESULT Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    VARIANT* stored = Find(name);
    if (!stored) return E_INVALIDARG;

    VARIANT result;
    VariantInit(&result);
    const VARTYPE wanted = value->vt;
    const HRESULT hr =
        wanted == VT_EMPTY ? VariantCopy(&result, stored) : VariantChangeType(&result, stored, 0, wanted);
    if (FAILED(hr)) return hr;
    // On entry the caller's VARIANT holds only the type it wants; whatever
    // else it holds is not the bag's to free.
    *value = result;
    return S_OK;
  }

  VARIANT* Find(LPCOLESTR name) {
    for (Entry& entry : entries_) {
      if (entry.name && CompareStringOrdinal(entry.name, -1, name, -1, TRUE) == CSTR_EQUAL) return &entry.value;
    }
    return nullptr;
  }

  PropertyBagIface propertyBag_{*this};
  LONG references_ = 1;
  std::array<Entry, 6> entries_{};
};

}  // namespace

HRESULT CreateStoredPropertyBag(const StoredLinkLabel& stored, ComPtr<IPropertyBag>& bag) {
  try {
    return StoredPropertyBag::Create(stored, bag);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace zenthra::about
