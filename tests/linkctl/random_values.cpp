#include "random_values.h"

#include <cwctype>
#include <limits>

namespace tessarel::test {

IFACEMETHODIMP PlainObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

IFACEMETHODIMP PlainObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

BSTR RandomValues::String() {
  static constexpr std::uint32_t kLengths[] = {0, 1, 3, 8, 16, 40, 255, 256, 4096, 70000};
  static constexpr const wchar_t* kWords[] = {L"123",   L"-1",   L"&H8000000F", L"&HFF",       L"2147483648",
                                              L"1e400", L"True", L"http://x",   L"mailto:a@b", L"12.5"};
  if (random_.OneIn(6)) return SysAllocString(random_.Pick(kWords));
  std::uint32_t length = random_.Pick(kLengths);
  if (length == 70000 && !random_.OneIn(8)) length = 1000;  // the longest ones only now and then: painting them is slow
  BSTR text = SysAllocStringLen(nullptr, length);
  for (std::uint32_t i = 0; text != nullptr && i < length; ++i) {
    const std::uint32_t kind = random_.Below(6);  // nulls, lone surrogates, any unit, or printable
    text[i] = static_cast<wchar_t>(kind == 0   ? 0
                                   : kind == 1 ? 0xD800 + random_.Below(0x800)
                                   : kind == 2 ? random_.Bits()
                                               : L' ' + random_.Below(95));
  }
  return text;
}

LONG RandomValues::Long() {
  static constexpr std::uint32_t kInteresting[] = {
      0,          1,          0xFFFFFFFF, 0x00FF0000, 0x00FFFFFF, 0x01000000, 0x8000000F, 0x80000012,
      0x80000018, 0x80000019, 0x80000099, 0x80000000, 0x7FFFFFFF, 975,        1720,       100000000};
  return static_cast<LONG>(random_.OneIn(2) ? random_.Pick(kInteresting) : random_.Bits());
}

IDispatch* RandomValues::Font() {
  ComPtr<IDispatch> font;
  return fonts_.empty() || FAILED(fonts_[random_.Below(fonts_.size())].As(&font)) ? nullptr : font.Get();
}

IDispatch* RandomValues::Object() {
  IDispatch* font = random_.OneIn(3) ? nullptr : Font();
  return font != nullptr ? font : &plain_;
}

void RandomValues::Any(VARIANT& value) {
  VariantInit(&value);
  const std::uint32_t pick = random_.Below(24);
  switch (pick) {
    case 0:
    case 1:
      value.vt = pick == 0 ? VT_EMPTY : VT_NULL;
      break;
    case 2:
      value.vt = VT_I2;
      value.iVal = static_cast<SHORT>(random_.Bits());
      break;
    case 3:
    case 4:
      value.vt = VT_I4;
      value.lVal = Long();
      break;
    case 5:
      value.vt = VT_UI4;
      value.ulVal = static_cast<ULONG>(Long());
      break;
    case 6: {
      static constexpr double kDoubles[] = {0.0, -0.0, 0.5, -2.5e9, 1e300, 4294967295.0, 16711680.0};
      value.vt = VT_R8;
      value.dblVal = random_.OneIn(4)   ? std::numeric_limits<double>::quiet_NaN()
                     : random_.OneIn(4) ? std::numeric_limits<double>::infinity()
                                        : random_.Pick(kDoubles);
      break;
    }
    case 7:
    case 8:
    case 9:
      value.vt = VT_BSTR;
      value.bstrVal = random_.OneIn(8) ? nullptr : String();
      break;
    case 10:
    case 11:
    case 12:
    case 13:
      // A null dispatch pointer, two objects, or an unknown one (null now and then).
      value.vt = pick == 13 ? VT_UNKNOWN : VT_DISPATCH;
      value.punkVal = pick == 10 || (pick == 13 && random_.OneIn(3)) ? nullptr : Object();
      if (value.punkVal != nullptr) value.punkVal->AddRef();
      break;
    case 14:
      if (SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, random_.Below(4))) {
        value.vt = VT_ARRAY | VT_I4;
        value.parray = array;
      }
      break;
    case 15:
      value.vt = VT_BYREF | VT_I4;
      value.plVal = &longs_.emplace_back(Long());
      break;
    case 16:
      value.vt = VT_BYREF | VT_BSTR;
      value.pbstrVal = strings_.emplace_back().put();
      *value.pbstrVal = String();
      break;
    case 17: {
      // One level of nesting only: a VARIANT by reference holds no VT_BYREF|VT_VARIANT.
      UniqueVariant& inner = variants_.emplace_back();
      if (random_.OneIn(2)) {
        inner->vt = VT_I4;
        inner->lVal = Long();
      } else {
        inner->vt = VT_BSTR;
        inner->bstrVal = String();
      }
      value.vt = VT_BYREF | VT_VARIANT;
      value.pvarVal = inner.get();
      break;
    }
    case 18:
      value.vt = VT_BYREF | VT_DISPATCH;
      value.ppdispVal = &dispatches_.emplace_back(random_.OneIn(4) ? nullptr : Object());
      break;
    case 19:
      value.vt = VT_BOOL;
      value.boolVal = random_.OneIn(2) ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case 20:
      value.vt = VT_CY;
      value.cyVal.int64 = static_cast<LONGLONG>(random_.Bits()) * (random_.OneIn(2) ? 1 : 1000000);
      break;
    case 21:
      value.vt = VT_DATE;
      value.date = static_cast<double>(static_cast<LONG>(random_.Bits())) / 7.0;
      break;
    case 22:
      value.vt = VT_ERROR;
      value.scode = random_.OneIn(2) ? DISP_E_PARAMNOTFOUND : static_cast<SCODE>(random_.Bits());
      break;
    default:
      value.vt = VT_I8;
      value.llVal = static_cast<LONGLONG>(random_.Bits()) << random_.Below(40);
      break;
  }
}

void RandomValues::Fitting(Kind kind, VARIANT& value) {
  VariantInit(&value);
  switch (kind) {
    case Kind::String:
      value.vt = VT_BSTR;
      value.bstrVal = String();
      break;
    case Kind::Number:
      value.vt = VT_I4;
      value.lVal = random_.OneIn(3) ? Long() : static_cast<LONG>(random_.Below(0x01000000));
      break;
    case Kind::Font:
      if ((value.pdispVal = Font()) != nullptr) {
        value.vt = VT_DISPATCH;
        value.pdispVal->AddRef();
      }
      break;
  }
}

void RandomValues::Clear() {
  longs_.clear();
  strings_.clear();
  variants_.clear();
  dispatches_.clear();
}

RandomBag::RandomBag(Random& random, RandomValues& values, std::span<const Entry> entries)
    : random_(random), values_(values), entries_(entries) {
  for (const Entry& entry : entries_) {
    const std::uint32_t style = random_.Below(3);  // lower case, some letters upper case, or as given
    for (wchar_t& c : spellings_.emplace_back(entry.name))
      c = static_cast<wchar_t>(style == 0 ? std::towlower(c) : style == 1 && random_.OneIn(2) ? std::towupper(c) : c);
  }
  exactNames_ = random_.OneIn(2);
}

IFACEMETHODIMP RandomBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (reads_++ == releaseAt) releaseOnRead.Reset();
  if (name == nullptr || value == nullptr) {
    ++badReads;
    return E_POINTER;
  }
  std::size_t index = 0;
  while (index < entries_.size() && lstrcmpiW(name, entries_[index].name) != 0) ++index;
  if (index == entries_.size()) {
    ++unknownNames;
    return E_INVALIDARG;
  }
  Answer& answer = answers.emplace_back(Answer{index, S_OK, {}});
  const bool held = !exactNames_ || spellings_[index] == name;
  const std::uint32_t roll = random_.Below(20);
  if (!held || roll < 5) {
    answer.result = E_INVALIDARG;  // no such entry
  } else if (roll == 5) {
    static constexpr HRESULT kErrors[] = {E_FAIL,
                                          E_OUTOFMEMORY,
                                          E_UNEXPECTED,
                                          STG_E_ACCESSDENIED,
                                          DISP_E_TYPEMISMATCH,
                                          static_cast<HRESULT>(0x80041234),
                                          HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
                                          E_NOTIMPL};
    answer.result = random_.Pick(kErrors);
  }
  if (FAILED(answer.result)) {
    // A bag may leave the caller's VARIANT alone on failure.
    if (random_.OneIn(3)) VariantInit(value);
    return answer.result;
  }
  random_.OneIn(2) ? values_.Fitting(entries_[index].kind, *answer.value.get()) : values_.Any(*answer.value.get());
  VariantInit(value);
  if (FAILED(answer.result = VariantCopy(value, answer.value.get()))) return answer.result;
  answer.result = random_.OneIn(10) ? S_FALSE : S_OK;
  return answer.result;
}

}  // namespace tessarel::test
