// Random input for the control's two doors from outside: a property bag
// whose answers (types, values, errors) are drawn at random for Load, and
// IDispatch::Invoke with random ids, flags, arguments and null pointers.
// Seeded: a run repeats exactly. What must hold after every call: a proper
// HRESULT, the values of the bag taken as automation converts them, no
// change and no change report after a failed call, a control that still
// reads, saves and reloads its properties, every object handed to it let go
// again, and the library free to unload at the end.
#include "control_harness.h"

#include <olectl.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <cwctype>

namespace tessarel::test {
namespace {

constexpr DISPID kBackColor = 0x68030000;
constexpr DISPID kLink = 0x68030001;
constexpr DISPID kText = 0x68030002;
constexpr DISPID kForeColor = 0x68030003;
constexpr DISPID kFont = DISPID_FONT;
constexpr RECT kHostPosition{10, 10, 300, 40};

// Draws straight from mt19937, whose output the standard fixes, so a seed
// gives the same run with any library.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  std::uint32_t Bits() { return static_cast<std::uint32_t>(engine_()); }
  std::uint32_t Below(std::uint32_t count) { return count == 0 ? 0 : Bits() % count; }
  bool OneIn(std::uint32_t count) { return Below(count) == 0; }
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<std::uint32_t>(N))];
  }

 private:
  std::mt19937 engine_;
};

// An automation object that is not a font. It counts its references, so
// the test sees whether the control lets go of every one it took.
class PlainObject final : public TestObject<IDispatch, Lifetime::OnStack> {
 public:
  IFACEMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  IFACEMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return E_NOTIMPL;
  }
  IFACEMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
  IFACEMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

// Everything a drawn VARIANT may point at. Kept until the call that used
// the values has returned.
struct ValueStore {
  PlainObject* plain = nullptr;
  std::vector<ComPtr<IFont>>* fonts = nullptr;
  std::deque<LONG> longs;
  std::deque<UniqueBstr> strings;
  std::deque<UniqueVariant> variants;
  std::deque<IDispatch*> dispatches;  // borrowed from plain and fonts

  void Clear() {
    longs.clear();
    strings.clear();
    variants.clear();
    dispatches.clear();
  }
};

BSTR RandomString(Random& random) {
  static constexpr std::uint32_t kLengths[] = {0, 1, 3, 8, 16, 40, 255, 256, 4096, 70000};
  static constexpr const wchar_t* kWords[] = {L"123",   L"-1",   L"&H8000000F", L"&HFF",       L"2147483648",
                                              L"1e400", L"True", L"http://x",   L"mailto:a@b", L"12.5"};
  if (random.OneIn(6)) {
    return SysAllocString(random.Pick(kWords));
  }
  std::uint32_t length = random.Pick(kLengths);
  if (length == 70000 && !random.OneIn(8)) {
    length = 1000;  // the longest ones only now and then: painting them is slow
  }
  BSTR text = SysAllocStringLen(nullptr, length);
  for (std::uint32_t i = 0; text != nullptr && i < length; ++i) {
    switch (random.Below(6)) {
      case 0:
        text[i] = L'\0';
        break;
      case 1:
        text[i] = static_cast<wchar_t>(0xD800 + random.Below(0x800));  // lone surrogates
        break;
      case 2:
        text[i] = static_cast<wchar_t>(random.Bits());
        break;
      default:
        text[i] = static_cast<wchar_t>(L' ' + random.Below(95));
        break;
    }
  }
  return text;
}

LONG RandomLong(Random& random) {
  static constexpr LONG kInteresting[] = {0,
                                          1,
                                          -1,
                                          0x00FF0000,
                                          0x00FFFFFF,
                                          0x01000000,
                                          static_cast<LONG>(0x8000000F),
                                          static_cast<LONG>(0x80000012),
                                          static_cast<LONG>(0x80000018),
                                          static_cast<LONG>(0x80000019),
                                          static_cast<LONG>(0x80000099),
                                          std::numeric_limits<LONG>::min(),
                                          std::numeric_limits<LONG>::max(),
                                          975,
                                          1720,
                                          100000000};
  return random.OneIn(2) ? random.Pick(kInteresting) : static_cast<LONG>(random.Bits());
}

IDispatch* RandomObject(Random& random, ValueStore& store) {
  if (random.OneIn(3) || store.fonts->empty()) {
    return store.plain;
  }
  IDispatch* font = nullptr;
  (*store.fonts)[random.Below(static_cast<std::uint32_t>(store.fonts->size()))]->QueryInterface(IID_PPV_ARGS(&font));
  font->Release();  // the store's font list keeps it alive
  return font;
}

// A VARIANT of a random type and value. The caller owns it; by-reference
// ones point into the store.
void RandomVariant(Random& random, ValueStore& store, VARIANT& value) {
  VariantInit(&value);
  switch (random.Below(24)) {
    case 0:
      break;  // VT_EMPTY
    case 1:
      value.vt = VT_NULL;
      break;
    case 2:
      value.vt = VT_I2;
      value.iVal = static_cast<SHORT>(random.Bits());
      break;
    case 3:
    case 4:
      value.vt = VT_I4;
      value.lVal = RandomLong(random);
      break;
    case 5:
      value.vt = VT_UI4;
      value.ulVal = static_cast<ULONG>(RandomLong(random));
      break;
    case 6: {
      static constexpr double kDoubles[] = {0.0, -0.0, 0.5, -2.5e9, 1e300, 4294967295.0, 16711680.0};
      value.vt = VT_R8;
      value.dblVal = random.OneIn(4)   ? std::numeric_limits<double>::quiet_NaN()
                     : random.OneIn(4) ? std::numeric_limits<double>::infinity()
                                       : random.Pick(kDoubles);
      break;
    }
    case 7:
    case 8:
    case 9:
      value.vt = VT_BSTR;
      value.bstrVal = random.OneIn(8) ? nullptr : RandomString(random);
      break;
    case 10:
      value.vt = VT_DISPATCH;
      value.pdispVal = nullptr;
      break;
    case 11:
    case 12:
      value.vt = VT_DISPATCH;
      value.pdispVal = RandomObject(random, store);
      value.pdispVal->AddRef();
      break;
    case 13:
      value.vt = VT_UNKNOWN;
      value.punkVal = random.OneIn(3) ? nullptr : RandomObject(random, store);
      if (value.punkVal != nullptr) {
        value.punkVal->AddRef();
      }
      break;
    case 14: {
      SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, random.Below(4));
      if (array != nullptr) {
        value.vt = VT_ARRAY | VT_I4;
        value.parray = array;
      }
      break;
    }
    case 15:
      value.vt = VT_BYREF | VT_I4;
      value.plVal = &store.longs.emplace_back(RandomLong(random));
      break;
    case 16:
      value.vt = VT_BYREF | VT_BSTR;
      value.pbstrVal = store.strings.emplace_back().put();
      *value.pbstrVal = RandomString(random);
      break;
    case 17: {
      UniqueVariant& inner = store.variants.emplace_back();
      // One level of nesting only: a VARIANT by reference holds no VT_BYREF|VT_VARIANT.
      inner->vt = random.OneIn(2) ? VT_I4 : VT_BSTR;
      if (inner->vt == VT_I4) {
        inner->lVal = RandomLong(random);
      } else {
        inner->bstrVal = RandomString(random);
      }
      value.vt = VT_BYREF | VT_VARIANT;
      value.pvarVal = inner.get();
      break;
    }
    case 18:
      value.vt = VT_BYREF | VT_DISPATCH;
      value.ppdispVal = &store.dispatches.emplace_back(random.OneIn(4) ? nullptr : RandomObject(random, store));
      break;
    case 19:
      value.vt = VT_BOOL;
      value.boolVal = random.OneIn(2) ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case 20:
      value.vt = VT_CY;
      value.cyVal.int64 = static_cast<LONGLONG>(random.Bits()) * (random.OneIn(2) ? 1 : 1000000);
      break;
    case 21:
      value.vt = VT_DATE;
      value.date = static_cast<double>(static_cast<LONG>(random.Bits())) / 7.0;
      break;
    case 22:
      value.vt = VT_ERROR;
      value.scode = random.OneIn(2) ? DISP_E_PARAMNOTFOUND : static_cast<SCODE>(random.Bits());
      break;
    default:
      value.vt = VT_I8;
      value.llVal = static_cast<LONGLONG>(random.Bits()) << random.Below(40);
      break;
  }
}

// A value of the type a property takes (most of them valid): a string,
// a number, or one of the test's fonts.
enum class Kind { String, Number, Font };

void FittingVariant(Random& random, ValueStore& store, Kind kind, VARIANT& value) {
  VariantInit(&value);
  switch (kind) {
    case Kind::String:
      value.vt = VT_BSTR;
      value.bstrVal = RandomString(random);
      break;
    case Kind::Number:
      value.vt = VT_I4;
      value.lVal = random.OneIn(3) ? RandomLong(random) : static_cast<LONG>(random.Below(0x01000000));
      break;
    case Kind::Font:
      value.vt = VT_DISPATCH;
      (*store.fonts)[random.Below(static_cast<std::uint32_t>(store.fonts->size()))]->QueryInterface(
          IID_PPV_ARGS(&value.pdispVal));
      break;
  }
}

std::string Hex(HRESULT hr) {
  std::ostringstream text;
  text << "0x" << std::hex << static_cast<unsigned long>(hr);
  return text.str();
}

// Facilities whose codes a control or the automation runtime returns.
bool IsProperFailure(HRESULT hr) {
  if (!FAILED(hr)) {
    return false;
  }
  switch (HRESULT_FACILITY(hr)) {
    case FACILITY_NULL:
    case FACILITY_DISPATCH:
    case FACILITY_ITF:
    case FACILITY_WIN32:
    case FACILITY_CONTROL:
    case FACILITY_STORAGE:
      return true;
    default:
      return false;
  }
}

// The property names the control persists, as it spells them.
constexpr const wchar_t* kPersistedNames[] = {L"_ExtentX", L"_ExtentY", L"ForeColor", L"Text",
                                              L"Link",     L"Font",     L"BackColor"};

int PersistedIndex(LPCOLESTR name) {
  for (int i = 0; i < 7; ++i) {
    if (lstrcmpiW(name, kPersistedNames[i]) == 0) {
      return i;
    }
  }
  return -1;
}

// A property bag whose answer to each read is drawn afresh: an error
// (leaving the VARIANT as it came, or emptied), or a value of any type.
// It stores its entries under one spelling of the name and compares either
// exactly or without regard to case. It records what it answered.
class RandomBag final : public TestObject<IPropertyBag, Lifetime::OnStack> {
 public:
  struct Answer {
    int property;  // index into kPersistedNames
    HRESULT result;
    UniqueVariant value;  // what the bag handed out when result succeeded
  };

  RandomBag(Random& random, ValueStore& store) : random_(random), store_(store) {
    for (int i = 0; i < 7; ++i) {
      std::wstring spelling = kPersistedNames[i];
      switch (random_.Below(3)) {
        case 0:
          CharLowerBuffW(spelling.data(), static_cast<DWORD>(spelling.size()));
          break;
        case 1:
          for (wchar_t& c : spelling) {
            c = random_.OneIn(2) ? static_cast<wchar_t>(std::towupper(c)) : c;
          }
          break;
        default:
          break;
      }
      spellings_[i] = std::move(spelling);
    }
    exactNames_ = random_.OneIn(2);
  }

  IFACEMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    if (name == nullptr || value == nullptr) {
      ++badReads;
      return E_POINTER;
    }
    const int property = PersistedIndex(name);
    if (property < 0) {
      ++unknownNames;
      return E_INVALIDARG;
    }
    Answer& answer = answers.emplace_back(Answer{property, S_OK, {}});
    const bool held = exactNames_ ? spellings_[property] == name : true;
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
      if (random_.OneIn(3)) {
        VariantInit(value);
      }
      return answer.result;
    }
    if (random_.OneIn(2)) {
      const Kind kind = property == 3 || property == 4 ? Kind::String : property == 5 ? Kind::Font : Kind::Number;
      FittingVariant(random_, store_, kind, *answer.value.get());
    } else {
      RandomVariant(random_, store_, *answer.value.get());
    }
    VariantInit(value);
    HRESULT hr = VariantCopy(value, answer.value.get());
    if (FAILED(hr)) {
      answer.result = hr;
      return hr;
    }
    answer.result = random_.OneIn(10) ? S_FALSE : S_OK;
    return answer.result;
  }

  IFACEMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

  int badReads = 0;
  int unknownNames = 0;
  std::vector<Answer> answers;

 private:
  Random& random_;
  ValueStore& store_;
  std::wstring spellings_[7];
  bool exactNames_ = false;
};

// The properties as the control reports them.
struct Snapshot {
  std::wstring text;
  std::wstring link;
  OLE_COLOR foreColor = 0;
  OLE_COLOR backColor = 0;
  IUnknown* font = nullptr;  // identity only; not a reference
  SIZEL extent{};

  bool operator==(const Snapshot& other) const {
    return text == other.text && link == other.link && foreColor == other.foreColor && backColor == other.backColor &&
           font == other.font && extent.cx == other.extent.cx && extent.cy == other.extent.cy;
  }
};

std::wstring ToWString(const BSTR text) { return std::wstring(text != nullptr ? text : L"", SysStringLen(text)); }

// Reads every property through the control's interfaces; fails the test if
// any read fails.
Snapshot Take(_tessarelcontrol* control) {
  Snapshot snapshot;
  UniqueBstr text, link;
  EXPECT_EQ(S_OK, control->get_Text(text.put()));
  EXPECT_EQ(S_OK, control->get_Link(link.put()));
  snapshot.text = ToWString(text.get());
  snapshot.link = ToWString(link.get());
  EXPECT_EQ(S_OK, control->get_ForeColor(&snapshot.foreColor));
  EXPECT_EQ(S_OK, control->get_BackColor(&snapshot.backColor));
  ComPtr<IFontDisp> font;
  EXPECT_EQ(S_OK, control->get_Font(&font));
  EXPECT_NE(nullptr, font.Get());
  ComPtr<IUnknown> identity;
  if (font != nullptr && SUCCEEDED(font.As(&identity))) {
    snapshot.font = identity.Get();
  }
  ComPtr<IOleObject> object;
  EXPECT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&object)));
  if (object != nullptr) {
    EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &snapshot.extent));
  }
  return snapshot;
}

class FuzzTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    static constexpr const wchar_t* kFaces[] = {L"MS Sans Serif", L"Arial", L"Tahoma", L"No Such Face", L""};
    static constexpr LONGLONG kSizes[] = {0, 1, 82500, 120000, 720000, 20000000};
    for (std::size_t i = 0; i < 8; ++i) {
      ComPtr<IFont> font = MakeFont(kFaces[i % 5], kSizes[i % 6], i % 3 == 0);
      ASSERT_NE(nullptr, font.Get());
      fonts_.push_back(font);
    }
    store_.plain = &plain_;
    store_.fonts = &fonts_;
    host_ = TestHost::Create(fonts_[0].Get(), kHostPosition);
    ASSERT_NE(nullptr, host_.Get());
  }

  void TearDown() override {
    store_.Clear();
    host_.Reset();
    fonts_.clear();
    if (countReferences_) {
      EXPECT_EQ(1u, plain_.References()) << "the control kept or lost references to an object it was given";
    }
    ControlTest::TearDown();
  }

  // Saves the control into a fresh bag, loads that into `reader`, and
  // expects the same properties there.
  void ExpectSavesAndReloads(_tessarelcontrol* control, _tessarelcontrol* reader) {
    ComPtr<IPersistPropertyBag> persist, readerPersist;
    ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&persist)));
    ASSERT_HRESULT_SUCCEEDED(reader->QueryInterface(IID_PPV_ARGS(&readerPersist)));
    ComPtr<MemoryPropertyBag> saved = MemoryPropertyBag::Create();
    ASSERT_EQ(S_OK, persist->Save(saved.Get(), TRUE, FALSE));
    ASSERT_EQ(S_OK, readerPersist->Load(saved.Get(), nullptr));
    Snapshot original = Take(control);
    Snapshot reloaded = Take(reader);
    original.font = reloaded.font = nullptr;  // the reader has a font object of its own
    EXPECT_TRUE(original == reloaded) << "saved and reloaded properties differ";
  }

  PlainObject plain_;
  bool countReferences_ = true;
  std::vector<ComPtr<IFont>> fonts_;
  ValueStore store_;
  ComPtr<TestHost> host_;
};

// What Load must have made of the bag's answers: for each property the
// first successful answer, converted as automation converts it, else its
// default (the extent: what it was).
struct ExpectedLoad {
  std::optional<std::wstring> text, link;
  std::optional<LONG> foreColor, backColor, extentX, extentY;
  IUnknown* font = nullptr;  // the font object answered, if any
};

std::optional<UniqueVariant> Converted(const VARIANT& answer, VARTYPE type) {
  UniqueVariant value;
  if (FAILED(VariantCopy(value.get(), const_cast<VARIANT*>(&answer)))) {
    return std::nullopt;
  }
  if (value->vt != type && FAILED(VariantChangeType(value.get(), value.get(), 0, type))) {
    return std::nullopt;
  }
  return value;
}

ExpectedLoad ExpectedFrom(const RandomBag& bag) {
  ExpectedLoad expected;
  bool decided[7] = {};
  for (const RandomBag::Answer& answer : bag.answers) {
    if (FAILED(answer.result) || decided[answer.property]) {
      continue;
    }
    decided[answer.property] = true;
    const int index = answer.property;
    const VARTYPE type = index == 3 || index == 4 ? VT_BSTR : index == 5 ? VT_DISPATCH : VT_I4;
    std::optional<UniqueVariant> value = Converted(*answer.value.get(), type);
    if (!value) {
      continue;
    }
    switch (index) {
      case 0:
        expected.extentX = (*value)->lVal;
        break;
      case 1:
        expected.extentY = (*value)->lVal;
        break;
      case 2:
        expected.foreColor = (*value)->lVal;
        break;
      case 3:
        expected.text = ToWString((*value)->bstrVal);
        break;
      case 4:
        expected.link = ToWString((*value)->bstrVal);
        break;
      case 5: {
        ComPtr<IUnknown> identity;
        if ((*value)->pdispVal != nullptr && SUCCEEDED((*value)->pdispVal->QueryInterface(IID_PPV_ARGS(&identity)))) {
          expected.font = identity.Get();  // the test's fonts outlive the check
        }
        break;
      }
      default:
        expected.backColor = (*value)->lVal;
        break;
    }
  }
  return expected;
}

TEST_F(FuzzTest, LoadFromABagOfRandomAnswers) {
  constexpr int kIterations = 4000;
  Random random(20240611);
  {
    // Three controls: unsited, sited in a host with an ambient font,
    // and active in place (drawing what it loads); one more reads back
    // what they save.
    ComPtr<_tessarelcontrol> controls[3] = {NewControl(), NewControl(), NewControl()};
    ComPtr<_tessarelcontrol> reader = NewControl();
    ASSERT_TRUE(controls[0] && controls[1] && controls[2] && reader);
    ComPtr<IOleObject> sited, active;
    ASSERT_HRESULT_SUCCEEDED(controls[1].As(&sited));
    ASSERT_HRESULT_SUCCEEDED(sited->SetClientSite(host_.Get()));
    ASSERT_HRESULT_SUCCEEDED(controls[2].As(&active));
    ASSERT_HRESULT_SUCCEEDED(SiteAndActivate(active.Get(), host_.Get(), SIZEL{2000, 500}));

    // The defaults: what an empty bag gives.
    Snapshot defaults;
    {
      ComPtr<IPersistPropertyBag> persist;
      ASSERT_HRESULT_SUCCEEDED(reader.As(&persist));
      ComPtr<MemoryPropertyBag> empty = MemoryPropertyBag::Create();
      ASSERT_EQ(S_OK, persist->Load(empty.Get(), nullptr));
      defaults = Take(reader.Get());
    }

    int loaded = 0;
    for (int iteration = 0; iteration < kIterations && !HasFailure(); ++iteration) {
      const auto where = [&] { return "iteration " + std::to_string(iteration); };
      _tessarelcontrol* control = controls[random.Below(3)].Get();
      ComPtr<IPersistPropertyBag> persist;
      ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&persist)));
      const Snapshot before = Take(control);

      RandomBag bag(random, store_);
      const HRESULT hr = persist->Load(&bag, nullptr);

      EXPECT_EQ(1u, bag.References()) << where();
      EXPECT_EQ(0, bag.badReads) << where();
      EXPECT_EQ(0, bag.unknownNames) << where();
      EXPECT_LE(bag.answers.size(), 14u) << where() << ": each name is asked for at most twice";
      bool bagError = false;
      for (const RandomBag::Answer& answer : bag.answers) {
        bagError = bagError || answer.result == hr;
      }
      if (FAILED(hr)) {
        EXPECT_TRUE(bagError || hr == E_INVALIDARG || hr == DISP_E_TYPEMISMATCH || hr == CTL_E_INVALIDPROPERTYVALUE)
            << where() << ": Load made up " << Hex(hr);
      } else {
        EXPECT_EQ(S_OK, hr) << where();
        ++loaded;
        const ExpectedLoad expected = ExpectedFrom(bag);
        const Snapshot after = Take(control);
        EXPECT_TRUE(after.text == expected.text.value_or(defaults.text)) << where();
        EXPECT_TRUE(after.link == expected.link.value_or(defaults.link)) << where();
        EXPECT_EQ(static_cast<OLE_COLOR>(expected.foreColor.value_or(static_cast<LONG>(defaults.foreColor))),
                  after.foreColor)
            << where();
        EXPECT_EQ(static_cast<OLE_COLOR>(expected.backColor.value_or(static_cast<LONG>(defaults.backColor))),
                  after.backColor)
            << where();
        EXPECT_EQ(expected.extentX.value_or(before.extent.cx), after.extent.cx) << where();
        EXPECT_EQ(expected.extentY.value_or(before.extent.cy), after.extent.cy) << where();
        if (expected.font != nullptr) {
          EXPECT_EQ(expected.font, after.font) << where() << ": the bag's font is not the label's";
        }
      }
      store_.Clear();

      if (control == controls[2].Get()) {
        ComPtr<IOleWindow> window;
        HWND handle = nullptr;
        if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&window))) && SUCCEEDED(window->GetWindow(&handle))) {
          RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
      }
      if (iteration % 10 == 0) {
        ExpectSavesAndReloads(control, reader.Get());
      }
    }
    EXPECT_GT(loaded, kIterations / 20) << "too few bags loaded to check their values: " << loaded;
    EXPECT_HRESULT_SUCCEEDED(active->Close(OLECLOSE_NOSAVE));
    EXPECT_HRESULT_SUCCEEDED(active->SetClientSite(nullptr));
    EXPECT_HRESULT_SUCCEEDED(sited->SetClientSite(nullptr));
  }
}

// The property a dispatch id names, as the snapshot holds it; -1 for none.
int SnapshotFieldOf(DISPID id) {
  switch (id) {
    case kText:
      return 0;
    case kLink:
      return 1;
    case kForeColor:
      return 2;
    case kBackColor:
      return 3;
    case kFont:
      return 4;
    default:
      return -1;
  }
}

// Every field but `except` (a SnapshotFieldOf index) is the same.
bool SameBut(const Snapshot& a, const Snapshot& b, int except) {
  return (except == 0 || a.text == b.text) && (except == 1 || a.link == b.link) &&
         (except == 2 || a.foreColor == b.foreColor) && (except == 3 || a.backColor == b.backColor) &&
         (except == 4 || a.font == b.font) && a.extent.cx == b.extent.cx && a.extent.cy == b.extent.cy;
}

TEST_F(FuzzTest, InvokeWithRandomIdsFlagsAndArguments) {
  constexpr int kIterations = 4000;
  Random random(977);
  // Invoke's arguments reach the control through the automation runtime,
  // which converts them to the parameters' types. Wine's keeps a reference
  // when turning a named VT_UNKNOWN argument into the Font setter's
  // IFontDisp fails (E_NOINTERFACE, before the control is called), so
  // references are counted for the bag only.
  countReferences_ = false;
  {
    ComPtr<_tessarelcontrol> controls[2] = {NewControl(), NewControl()};
    ComPtr<_tessarelcontrol> reader = NewControl();
    ASSERT_TRUE(controls[0] && controls[1] && reader);
    ComPtr<IOleObject> active;
    ASSERT_HRESULT_SUCCEEDED(controls[1].As(&active));
    ASSERT_HRESULT_SUCCEEDED(SiteAndActivate(active.Get(), host_.Get(), SIZEL{2000, 500}));
    ChangeConnection changes[2] = {ChangeConnection(controls[0].Get()), ChangeConnection(controls[1].Get())};
    ASSERT_HRESULT_SUCCEEDED(changes[0].Result());
    ASSERT_HRESULT_SUCCEEDED(changes[1].Result());

    static constexpr DISPID kKnownIds[] = {kBackColor, kLink, kText, kForeColor, kFont};
    static constexpr DISPID kOtherIds[] = {DISPID_VALUE,     DISPID_UNKNOWN,   DISPID_PROPERTYPUT, DISPID_NEWENUM,
                                           DISPID_EVALUATE,  0x68030004,       0x68030005,         0x60020000,
                                           DISPID_FORECOLOR, DISPID_BACKCOLOR, DISPID_TEXT};
    static constexpr WORD kGoodFlags[] = {DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF,
                                          DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_METHOD};
    static constexpr DISPID kNamedIds[] = {DISPID_PROPERTYPUT, DISPID_PROPERTYPUT, 0, 1, -1, 7};
    int changesMade = 0;

    for (int iteration = 0; iteration < kIterations && !HasFailure(); ++iteration) {
      const auto where = [&] { return "iteration " + std::to_string(iteration); };
      const std::uint32_t which = random.Below(2);
      _tessarelcontrol* control = controls[which].Get();
      std::vector<DISPID>& changed = changes[which].Changes();
      changed.clear();

      // Some calls are a proper setter call with a value of the
      // property's type; the rest are drawn freely.
      const bool wellFormed = random.OneIn(3);
      DISPID id = random.OneIn(4) ? (random.OneIn(3) ? static_cast<DISPID>(random.Bits()) : random.Pick(kOtherIds))
                                  : random.Pick(kKnownIds);
      WORD flags = random.OneIn(3) ? static_cast<WORD>(random.Below(0x20)) : random.Pick(kGoodFlags);
      const bool foreignInterface = random.OneIn(30);
      const bool noParams = random.OneIn(30);

      UINT argumentCount = random.OneIn(8) ? random.Below(6) : random.Below(3);
      UINT namedCount = argumentCount == 0 ? 0 : random.Below(argumentCount + 1);
      if (wellFormed) {
        id = random.Pick(kKnownIds);
        flags = id == kFont ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
        argumentCount = namedCount = 1;
      }
      std::vector<VARIANT> arguments(argumentCount);
      for (VARIANT& argument : arguments) {
        if (wellFormed) {
          FittingVariant(random, store_,
                         id == kFont                  ? Kind::Font
                         : id == kText || id == kLink ? Kind::String
                                                      : Kind::Number,
                         argument);
        } else {
          RandomVariant(random, store_, argument);
        }
      }
      std::vector<DISPID> named(namedCount);
      for (DISPID& name : named) {
        name = wellFormed ? DISPID_PROPERTYPUT : random.Pick(kNamedIds);
      }
      DISPPARAMS params{argumentCount != 0 ? arguments.data() : nullptr, namedCount != 0 ? named.data() : nullptr,
                        argumentCount, namedCount};

      UniqueVariant result;
      EXCEPINFO exception{};
      UINT argumentError = 0;
      const bool wantResult = !random.OneIn(4);
      const bool wantException = !random.OneIn(3);
      const bool wantArgumentError = !random.OneIn(3);

      const Snapshot before = Take(control);
      const HRESULT hr =
          control->Invoke(id, foreignInterface ? IID_IDispatch : IID_NULL, LOCALE_USER_DEFAULT, flags,
                          noParams ? nullptr : &params, wantResult ? result.get() : nullptr,
                          wantException ? &exception : nullptr, wantArgumentError ? &argumentError : nullptr);
      for (VARIANT& argument : arguments) {
        VariantClear(&argument);
      }
      store_.Clear();

      if (foreignInterface) {
        EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, hr) << where();
      } else if (noParams) {
        EXPECT_EQ(E_POINTER, hr) << where();
      } else if (SUCCEEDED(hr)) {
        EXPECT_EQ(S_OK, hr) << where();
      } else {
        EXPECT_TRUE(IsProperFailure(hr)) << where() << ": " << Hex(hr);
      }
      if (hr == DISP_E_EXCEPTION && wantException) {
        if (exception.pfnDeferredFillIn != nullptr) {
          exception.pfnDeferredFillIn(&exception);
        }
        EXPECT_TRUE(exception.wCode != 0 || FAILED(exception.scode)) << where();
      }
      SysFreeString(exception.bstrSource);
      SysFreeString(exception.bstrDescription);
      SysFreeString(exception.bstrHelpFile);
      if (SUCCEEDED(hr) && wantResult) {
        EXPECT_EQ(S_OK, VariantClear(result.get())) << where() << ": the result is no proper VARIANT";
      }

      // Only a successful put changes a property, only its own, and
      // only then is a change reported.
      const Snapshot after = Take(control);
      const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
      if (FAILED(hr) || !put) {
        EXPECT_TRUE(before == after) << where() << ": a call that set nothing changed the control";
        EXPECT_TRUE(changed.empty()) << where();
      } else {
        // A getter may have answered a call that allowed both.
        EXPECT_TRUE(SameBut(before, after, SnapshotFieldOf(id))) << where();
        EXPECT_TRUE(changed.empty() || changed == std::vector<DISPID>{id}) << where();
        EXPECT_TRUE(before == after || !changed.empty()) << where() << ": a change went unreported";
        changesMade += before == after ? 0 : 1;
      }
      if (which == 1) {
        HWND handle = nullptr;
        ComPtr<IOleWindow> window;
        if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&window))) && SUCCEEDED(window->GetWindow(&handle))) {
          RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
      }
      if (iteration % 20 == 0) {
        ExpectSavesAndReloads(control, reader.Get());
      }
    }
    EXPECT_GT(changesMade, kIterations / 10) << "too few calls set a property: " << changesMade;
    EXPECT_HRESULT_SUCCEEDED(active->Close(OLECLOSE_NOSAVE));
    EXPECT_HRESULT_SUCCEEDED(active->SetClientSite(nullptr));
  }
}

}  // namespace
}  // namespace tessarel::test
